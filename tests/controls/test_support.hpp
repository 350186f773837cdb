#pragma once
// Shared fixtures of the control tests: a plug-in with a few parameters, a
// recording desktop and a context on virtual time.
#include <cairo.h>

#include <string>
#include <vector>

#include "controls/igraphics.hpp"
#include "framework/iplug/iparam.hpp"
#include "framework/virtual_event_loop.hpp"

namespace igraphics::testing {

enum TestParam {
    kGain = 0,    // double 0 .. 10, default 5
    kSteps = 1,   // int 0 .. 4, default 2
    kMidi = 2,    // int 0 .. 127, default 64
    kChoice = 3,  // enum "Room", "Hall", "Spring", default 1
    kSelect = 4,  // double 0 .. 1
    kNumTestParams
};

class TestDelegate : public iplug::IEditorDelegate {
  public:
    TestDelegate();
    int nParams() const override { return static_cast<int>(params.size()); }
    iplug::IParam* getParam(int index) override;
    void sendParameterValueFromUI(int index, double normalised) override;
    void beginInformHostOfParamChangeFromUI(int index) override { gestures.push_back(index); }

    struct Change {
        int index;
        double value;  // in the parameter's own units, after the conversion
    };
    std::vector<iplug::IParam> params;
    std::vector<Change> changes;
    std::vector<int> gestures;
};

class RecordingPlatform : public IPlatform {
  public:
    EMsgBoxResult showMessageBox(std::string_view text, std::string_view, EMsgBoxType) override {
        boxes.emplace_back(text);
        return answer;
    }
    void promptForFile(std::string& fileName, std::string& folder, EFileAction,
                       std::string_view) override {
        fileName = chosenFile;
        folder = chosenFolder;
    }
    bool openURL(std::string_view url) override {
        urls.emplace_back(url);
        return true;
    }
    void hideMouseCursor(bool hide) override { cursorHidden = hide; }
    void resizeWindow(int w, int h, double) override {
        width = w;
        height = h;
    }
    void bell() override { ++bells; }
    void setClipboardText(std::string_view text) override { clipboard = text; }
    std::string clipboardText() override { return clipboard; }

    EMsgBoxResult answer = EMsgBoxResult::OK;
    std::string chosenFile, chosenFolder;
    std::vector<std::string> boxes, urls;
    bool cursorHidden = false;
    int width = 0, height = 0;
    int bells = 0;
    std::string clipboard;
};

struct Context {
    TestDelegate delegate;
    vornix::VirtualEventLoop loop;
    RecordingPlatform platform;
    IGraphics ui{delegate, loop};
    Context() { ui.setPlatform(&platform); }
};

// Press and release at one point.
void click(IGraphics& ui, float x, float y, IMouseMod mod = {});
// Press at (x, y), drag by dY in steps of one pixel, release.
void dragVertically(IGraphics& ui, float x, float y, float dY, IMouseMod mod = {});

// A PNG of w x h pixels and the given frames, made with cairo.
std::vector<std::uint8_t> makePng(int w, int h, IColor fill);
// The pixel at logical (x, y) after drawing the whole window on a fresh surface.
IColor pixelAt(IGraphics& ui, int x, int y, double scale = 1.0);

// A drawing of one area of the window, read back in logical coordinates.
class Picture {
  public:
    Picture(IGraphics& ui, const IRECT& area, double scale = 1.0);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // The pixel covering logical (x, y) of the window.
    IColor at(float x, float y) const;
    bool writePng(const std::string& path) const;

  private:
    cairo_surface_t* surface_;
    IRECT area_;
    double scale_;
};

}  // namespace igraphics::testing
