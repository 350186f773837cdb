// The event loop on GLib and the rule that a message box asked for inside a
// tick or a received message waits until that callback has returned.
#include <glib.h>
#include <gtest/gtest.h>

#include <thread>

#include "app/editor_stack.hpp"
#include "app/glib_event_loop.hpp"
#include "app/gtk_platform.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/host_settings.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

// Iterates the default main context until done() or about two seconds pass.
template <typename Done>
bool spin(Done done) {
    const gint64 limit = g_get_monotonic_time() + 2 * G_USEC_PER_SEC;
    while (!done() && g_get_monotonic_time() < limit) g_main_context_iteration(nullptr, FALSE);
    return done();
}

TEST(GLibLoop, TimersRepeatRunOnceAndStopWhenCancelled) {
    GLibEventLoop loop;
    int ticks = 0, once = 0;
    const auto tick = loop.every(1, [&] { ++ticks; });
    loop.after(1, [&] { ++once; });
    ASSERT_TRUE(spin([&] { return ticks >= 3 && once == 1; }));
    EXPECT_EQ(loop.timerCount(), 1u) << "a one-shot timer is forgotten after it ran";
    loop.cancel(tick);
    const int stopped = ticks;
    const gint64 until = g_get_monotonic_time() + 20000;
    while (g_get_monotonic_time() < until) g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(ticks, stopped);
    EXPECT_EQ(once, 1);
}

TEST(GLibLoop, TimerMayCancelItselfWhileRunning) {
    GLibEventLoop loop;
    int runs = 0;
    EventLoop::TimerId id = 0;
    id = loop.every(1, [&] {
        ++runs;
        loop.cancel(id);
    });
    ASSERT_TRUE(spin([&] { return runs == 1; }));
    const gint64 until = g_get_monotonic_time() + 20000;
    while (g_get_monotonic_time() < until) g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST(GLibLoop, PostsFromAnotherThreadRunOnTheLoopThreadInOrder) {
    GLibEventLoop loop;
    const auto mainThread = std::this_thread::get_id();
    std::vector<int> order;
    bool allOnMain = true;
    std::thread producer([&] {
        for (int i = 0; i < 50; ++i)
            loop.post([&, i] {
                order.push_back(i);
                allOnMain = allOnMain && std::this_thread::get_id() == mainThread;
            });
    });
    producer.join();
    ASSERT_TRUE(spin([&] { return order.size() == 50; }));
    for (int i = 0; i < 50; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_TRUE(allOnMain);
}

TEST(GLibLoop, KnowsWhenACallbackIsRunning) {
    GLibEventLoop loop;
    bool inside = false;
    loop.post([&] { inside = loop.inCallback(); });
    ASSERT_TRUE(spin([&] { return inside; }));
    EXPECT_FALSE(loop.inCallback());
}

TEST(GLibLoop, DestroyedLoopRunsNothingLeftBehind) {
    int runs = 0;
    {
        GLibEventLoop loop;
        loop.post([&] { ++runs; });
        loop.every(1, [&] { ++runs; });
    }
    const gint64 until = g_get_monotonic_time() + 20000;
    while (g_get_monotonic_time() < until) g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(runs, 0);
}

TEST(DeferredMessageBox, AskedInsideACallbackWaitsForItToReturn) {
    GLibEventLoop loop;
    GtkPlatform platform(loop);
    bool answered = false, posted = false;
    loop.post([&] {
        platform.messageBox("Error!", "", Buttons::Ok, [&](Answer) { answered = true; });
        posted = true;
    });
    // One iteration runs the post; the box itself would come on a later one.
    ASSERT_TRUE(spin([&] { return posted; }));
    EXPECT_EQ(platform.pendingBoxes(), 1u);
    EXPECT_FALSE(answered);
    platform.dropPending();  // no display here to show it on
}

// ---- the editor stack: scale read at start, saved when the window closes ----

// Answers every box with OK and every file dialog with a cancel.
struct AnsweringPlatform : Platform {
    void messageBox(const std::string&, const std::string&, Buttons,
                    std::function<void(Answer)> done) override {
        if (done) done(Answer::Ok);
    }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void openUrl(const std::string&) override {}
};

TEST(EditorStackScale, ReadFromSettingsAndSavedWhenTheWindowCloses) {
    testing::TempDir dir;
    host::SettingsFile(dir.path()).saveScale(0.75);
    VirtualEventLoop loop;
    AnsweringPlatform platform;
    EditorStack stack(loop, storage::DataFolder(dir.path()), platform, StackOptions{true, false},
                      {});
    stack.start();
    EXPECT_FLOAT_EQ(stack.editor().drawScale(), 0.75f);

    loop.advance(4000);
    EXPECT_TRUE(stack.editor().connection().online())
        << "the simulated pedal answers the identification";

    stack.editor().setDrawScale(1.25f);
    stack.editor().uiClosed();
    EXPECT_DOUBLE_EQ(host::SettingsFile(dir.path()).scale(), 1.25);
}

// The desktop editor once never wrote the factory IR files nor read the IR
// names: only the command line ran that start-up.
TEST(EditorStackStartUp, PreparesTheDataFolderAndTheIrLibraryAsTheCommandLineDoes) {
    testing::TempDir dir;
    const storage::DataFolder folder(dir.path());
    std::filesystem::create_directories(folder.presetsFolder());
    const auto stale = folder.presetsFolder() / ".001.dat.tmp-999999999-1";  // no such process
    storage::writeFile(stale, std::vector<std::uint8_t>{1});
    VirtualEventLoop loop;
    AnsweringPlatform platform;
    EditorStack stack(loop, folder, platform, StackOptions{true, false}, {});
    stack.start();
    for (const auto& cache :
         {folder.presetsFolder(), folder.userIrFolder(), folder.factoryIrFolder()})
        EXPECT_TRUE(std::filesystem::is_directory(cache)) << cache;
    EXPECT_TRUE(std::filesystem::exists(folder.factoryIrFolder() / "01-Tarmilo.wav"));
    EXPECT_TRUE(std::filesystem::exists(folder.factoryIrFolder() / "08-Aldric V30.wav"));
    EXPECT_FALSE(std::filesystem::exists(stale));
}

}  // namespace
}  // namespace vornix::app
