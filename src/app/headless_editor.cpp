#include "app/headless_editor.hpp"

#include <algorithm>
#include <iostream>

#include "resources/resources.hpp"

namespace vornix::app {

namespace {

// Virtual time moves in steps this long while a condition is awaited.
constexpr int VirtualSliceMs = 10;
// On real time: long enough to run what an input posted, short enough to
// make no difference to a script.
constexpr int RealSettleMs = 1;

StackOptions stackOptions(const Options& options) {
    StackOptions stack;
    stack.simulator = options.simulator;
    // No sound card needed, and no message about a missing one.
    stack.audio = false;
    stack.traceMode = options.trace;
    stack.trace = &std::cerr;
    stack.inPort = options.inPort;
    stack.outPort = options.outPort;
    return stack;
}

}  // namespace

HeadlessEditor::HeadlessEditor(const Options& options, Platform& platform,
                               igraphics::IPlatform* dialogs) {
    if (options.simulator)
        virtualLoop_ = std::make_unique<VirtualEventLoop>();
    else
        plainLoop_ = std::make_unique<host::PlainEventLoop>();
    stack_ = std::make_unique<EditorStack>(
        loop(), dataFolderOf(options), platform, stackOptions(options),
        [](const std::string& text, const std::string&) { std::cerr << text << '\n'; });
    stack_->start();
    window_ =
        std::make_unique<ui::WindowContent>(stack_->editor(), loop(), resources::find, dialogs);
}

// The controls go before the editor they reach, the editor before its loop.
HeadlessEditor::~HeadlessEditor() {
    window_.reset();
    stack_.reset();
}

EventLoop& HeadlessEditor::loop() {
    if (virtualLoop_) return *virtualLoop_;
    return *plainLoop_;
}

bool HeadlessEditor::runUntil(const std::function<bool()>& done, int milliseconds) {
    if (plainLoop_) return plainLoop_->runUntil(done, milliseconds);
    for (int spent = 0; spent < milliseconds && !done(); spent += VirtualSliceMs)
        virtualLoop_->advance(std::min(VirtualSliceMs, milliseconds - spent));
    return done();
}

void HeadlessEditor::settle() {
    if (virtualLoop_)
        virtualLoop_->advance(0);
    else
        plainLoop_->runUntil([] { return false; }, RealSettleMs);
}

}  // namespace vornix::app
