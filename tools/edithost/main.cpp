// virellando-edithost: a small host for trying the plug-in's editor as a host runs it (X11 on Linux, Win32
// on Windows).
//
//   virellando-edithost PLUGIN.so [--seconds N] [--commands FILE] [--editor-thread] [--instances N]
//
// It makes a top-level window of the editor's size, opens the editor in it with the window's id,
// calls the editor's idle every 40 ms on its main thread, and renders audio on a thread of its own.
// It prints, one per line: "host ID", "origin X Y" (the window's place on the screen) and "ready" once
// the editor is open, "midi S D1 D2" for the plug-in's MIDI output, "automate I V" for automation,
// "param I V" when a parameter changes,
// "heard NOTE SHARE SHARE-BELOW SHARE-ABOVE RMS" 150 ms after each note the plug-in plays, and at
// the end "blocks N worst-open-us X worst-closed-us Y".
// Commands, one per line, are read from FILE as it grows: "close", "open", "cycles N" (close and
// open N times, idling between), "midi S D1 D2" (host MIDI), "quit", and "quit-open" (end the
// instance with its editor still open). With --editor-thread every editor call and the window run on
// a second thread, as some hosts do.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "edithost/AudioThread.h"
#include "edithost/EditHost.h"
#include "platform/native/NativeWindow.h"

using namespace platform;
using edithost::AudioThread;
using edithost::EditHost;
using edithost::HostEvent;

namespace
{
constexpr float kRate = 44100.0f;
constexpr auto kIdlePeriod = std::chrono::milliseconds(40);
constexpr auto kListenDelay = std::chrono::milliseconds(150);
constexpr int kParameters = 11;

// The host's own window: draws nothing, only notices being closed.
class HostWindow : public NativeWindowListener
{
public:
    void OnNativeClose() override { closed = true; }
    bool closed = false;
};

// New lines of a file that another program appends to.
class CommandFile
{
public:
    explicit CommandFile(std::string file) : path(std::move(file)) {}
    std::vector<std::string> newLines()
    {
        std::vector<std::string> lines;
        if (path.empty())
            return lines;
        std::ifstream in(path);
        if (!in)
            return lines;
        in.seekg(static_cast<std::streamoff>(offset));
        std::string line;
        while (std::getline(in, line))
        {
            if (in.eof())
                break; // a line still being written
            offset += line.size() + 1;
            lines.push_back(line);
        }
        return lines;
    }

private:
    std::string path;
    size_t offset = 0;
};

struct Listening
{
    int note;
    std::chrono::steady_clock::time_point at;
};
} // namespace

// The host's window and editor loop until the time is up, a "quit" command or the window closes.
// Returns false when no window could be made.
bool runEditor(EditHost& host, AudioThread& audio, int width, int height, double seconds,
               const std::string& commandPath, bool& closeEditorAtEnd)
{
    HostWindow listener;
    std::unique_ptr<NativeWindow> window = NativeWindow::CreateDefault();
    if (!window->Create(NativeParent{}, width, height, &listener))
    {
        std::fprintf(stderr, "virellando-edithost: no window for the editor (error %d)\n",
                     window->GetLastError());
        return false;
    }
    window->SetTitle("Virellando edit host");

    host.openEditor(window->GetId());
    audio.setEditorOpen(true);
    const Point origin = window->ToScreen({0, 0});
    std::printf("host %lu\norigin %d %d\n", window->GetId(), origin.x, origin.y);

    CommandFile commands(commandPath);
    std::vector<Listening> listening;
    float parameters[kParameters];
    for (int i = 0; i < kParameters; ++i)
        parameters[i] = host.effect()->getParameter(host.effect(), i);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    auto next = std::chrono::steady_clock::now();
    bool quit = false;
    for (int tick = 0; !quit && !listener.closed && std::chrono::steady_clock::now() < end; ++tick)
    {
        window->ProcessEvents();
        host.idleEditor();
        if (tick == 3)
            std::printf("ready\n");
        const auto now = std::chrono::steady_clock::now();
        for (const HostEvent& e : host.takeEvents())
        {
            if (e.kind == HostEvent::kAutomate)
                std::printf("automate %d %.6f\n", e.index, e.value);
            else
            {
                std::printf("midi %d %d %d\n", e.index, e.data1, e.data2);
                if ((e.index & 0xf0) == 0x90 && e.data2 > 0)
                    listening.push_back({e.data1, now + kListenDelay});
            }
        }
        for (auto it = listening.begin(); it != listening.end();)
        {
            if (it->at > now)
            {
                ++it;
                continue;
            }
            double share = 0.0, below = 0.0, above = 0.0, rms = 0.0, unused = 0.0;
            audio.listen(it->note, share, rms);
            audio.listen(it->note - 1, below, unused);
            audio.listen(it->note + 1, above, unused);
            std::printf("heard %d %.3f %.3f %.3f %.5f\n", it->note, share, below, above, rms);
            it = listening.erase(it);
        }
        for (int i = 0; i < kParameters; ++i)
        {
            const float value = host.effect()->getParameter(host.effect(), i);
            if (value != parameters[i])
            {
                parameters[i] = value;
                std::printf("param %d %.6f\n", i, value);
            }
        }
        for (const std::string& line : commands.newLines())
        {
            std::istringstream words(line);
            std::string verb;
            words >> verb;
            if (verb == "quit")
                quit = true;
            else if (verb == "quit-open")
            {
                // As a host that ends the instance without closing its editor first.
                quit = true;
                closeEditorAtEnd = false;
            }
            else if (verb == "close")
            {
                audio.setEditorOpen(false);
                host.closeEditor();
                std::printf("closed\n");
            }
            else if (verb == "open")
            {
                host.openEditor(window->GetId());
                audio.setEditorOpen(true);
                std::printf("opened\n");
            }
            else if (verb == "cycles")
            {
                int n = 0;
                words >> n;
                for (int c = 0; c < n; ++c)
                {
                    audio.setEditorOpen(false);
                    host.closeEditor();
                    host.openEditor(window->GetId());
                    audio.setEditorOpen(true);
                    for (int i = 0; i < 3; ++i)
                    {
                        window->ProcessEvents();
                        host.idleEditor();
                        std::this_thread::sleep_for(kIdlePeriod);
                    }
                }
                std::printf("cycles %d\n", n);
            }
            else if (verb == "midi")
            {
                int status = 0, data1 = 0, data2 = 0;
                words >> status >> data1 >> data2;
                host.queueMidi(status, data1, data2);
            }
        }
        std::fflush(stdout);
        next += kIdlePeriod;
        std::this_thread::sleep_until(next);
    }
    audio.setEditorOpen(false);
    if (closeEditorAtEnd)
        host.closeEditor();
    else
    {
        // The instance ends while its editor is open and the host's window still stands.
        audio.stop();
        host.close();
    }
    window->Destroy();
    return true;
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: virellando-edithost PLUGIN.so [--seconds N] [--commands FILE]\n");
        return 2;
    }
    double seconds = 30.0;
    std::string commandPath;
    bool editorThread = false;
    int instances = 1;
    for (int i = 2; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "--editor-thread")
            editorThread = true;
        else if (option == "--seconds" && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (option == "--commands" && i + 1 < argc)
            commandPath = argv[++i];
        else if (option == "--instances" && i + 1 < argc)
            instances = std::max(1, std::atoi(argv[++i]));
    }

    EditHost host;
    if (!host.load(argv[1], kRate, AudioThread::kBlockFrames))
    {
        std::fprintf(stderr, "virellando-edithost: %s\n", host.error().c_str());
        return 1;
    }
    // Further instances of the same module, as a song with several pianos has; they get no editor.
    std::vector<std::unique_ptr<EditHost>> others;
    for (int i = 1; i < instances; ++i)
    {
        others.push_back(std::make_unique<EditHost>());
        if (!others.back()->load(argv[1], kRate, AudioThread::kBlockFrames))
        {
            std::fprintf(stderr, "virellando-edithost: %s\n", others.back()->error().c_str());
            return 1;
        }
    }
    int width = 0;
    int height = 0;
    if (!host.getRect(width, height))
    {
        std::fprintf(stderr, "virellando-edithost: the plug-in has no editor\n");
        return 1;
    }
    AudioThread audio(host, kRate);
    audio.start();
    bool closeEditorAtEnd = true;
    bool windowMade = false;
    const auto loop = [&]
    { windowMade = runEditor(host, audio, width, height, seconds, commandPath, closeEditorAtEnd); };
    // Some hosts make every editor call on a thread of their own, not the one that made the instance.
    if (editorThread)
        std::thread(loop).join();
    else
        loop();
    audio.setEditorOpen(false);
    audio.stop();
    std::printf("blocks %llu worst-open-us %.1f worst-closed-us %.1f\n",
                static_cast<unsigned long long>(audio.blocks()), audio.worstOpenUs(), audio.worstClosedUs());
    host.close();
    return windowMade ? 0 : 1;
}
