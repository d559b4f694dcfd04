// Prints the program's figures: responsiveness, rhythm and sound as a player meets them, the
// start-up and memory against a minimal Qt window, the CPU used at rest, and the headless
// game's cost per colour.
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "figures.h"
#include "headless.h"
#include "player.h"

namespace {

using namespace std::chrono_literals;
using namespace player;
using bench::Figure;

// The program measured: the one built here, unless another is named.
std::string program = MELQUAD_EXECUTABLE;

std::string firstLine(const std::string& path, const std::string& key = {}) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(key)) return line;
    return {};
}

void printMachine() {
    std::string cpu = firstLine("/proc/cpuinfo", "model name");
    cpu = cpu.substr(cpu.find(':') + 2);
    utsname uts{};
    uname(&uts);
    std::printf("machine: %s, %ld cores, %s %s, load average %s\n", cpu.c_str(),
                sysconf(_SC_NPROCESSORS_ONLN), uts.sysname, uts.release,
                firstLine("/proc/loadavg").c_str());
}

// Resident memory in KiB.
double residentKiB(pid_t pid) {
    std::istringstream line(firstLine("/proc/" + std::to_string(pid) + "/status", "VmRSS:"));
    std::string key;
    double kib = 0;
    line >> key >> kib;
    return kib;
}

// CPU time of all the process's threads, in milliseconds.
double cpuMs(pid_t pid) {
    double ns = 0;
    const auto tasks = std::filesystem::path("/proc") / std::to_string(pid) / "task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream in(task.path() / "schedstat");
        double onCpu = 0;
        if (in >> onCpu) ns += onCpu;
    }
    return ns / 1e6;
}

struct Launch {
    double startupMs;
    double residentKiB;
};

// Starts a program whose first frame paints the probe red, and measures it.
Launch launch(Screen& screen, const std::string& executable, const std::vector<std::string>& env) {
    const QPoint probe = QPoint(277, 99) + layout::quarters[0];
    support::Child child({executable}, env);
    while (screen.pixel(probe) != normalColour('R') && child.running()) {
        if (Clock::now() - child.started() > 20s) return {NAN, NAN};
        std::this_thread::sleep_for(200us);
    }
    const double startup = ms(Clock::now() - child.started());
    std::this_thread::sleep_for(2s);
    const double resident = residentKiB(child.pid());
    child.stop();
    while (screen.pixel(probe) == normalColour('R')) std::this_thread::sleep_for(10ms);
    return {startup, resident};
}

std::vector<Figure> startupAndMemory() {
    XServer x;
    support::TempDir folder("melquad_bench");
    support::PrivatePulse server(folder.path(), true);
    Screen screen(x.display());
    if (!screen.connected() || !server.start()) {
        std::cerr << "bench: no X server or sound server for the start-up figures\n";
        return {};
    }
    const std::vector<std::string> env{"DISPLAY=" + x.display(), "QT_QPA_PLATFORM=xcb",
                                       "PULSE_SERVER=" + server.address(), "SDL_AUDIODRIVER"};
    std::vector<double> startup, memory;
    for (int i = 0; i < 5; ++i) {
        const Launch minimal = launch(screen, MINIMAL_WINDOW, env);
        const Launch game = launch(screen, program, env);
        startup.push_back(game.startupMs / minimal.startupMs);
        memory.push_back(game.residentKiB / minimal.residentKiB);
        std::printf(
            "  launch %d: start-up %.0f ms (minimal window %.0f ms), resident %.0f KiB "
            "(%.0f KiB)\n",
            i + 1, game.startupMs, minimal.startupMs, game.residentKiB, minimal.residentKiB);
    }
    return {{"start-up, exec to first frame, / minimal window", "<= 1.15", "", startup},
            {"resident memory at rest, / minimal window", "<= 1.2", "", memory}};
}

// Plays five rounds, the last one missed after enough clicks for the click figures.
bool play(Player& player) {
    int count = 2;
    for (char rightPressOn : {'\0', 'G', '\0', 'R'}) {
        const std::string target = player.playRound(count++);
        if (target.empty() || !player.enter(target) ||
            !player.judge(Player::Verdict::Right, target, rightPressOn))
            return false;
    }
    const std::string target = player.playRound(count);
    std::string entry;
    while (player.clickToWhite().size() + entry.size() < 32) entry += "RBYG"[entry.size() % 4];
    if (target.empty() || !player.enter(entry)) return false;
    return player.judge(Player::Verdict::Wrong, target);
}

std::vector<Figure> played() {
    Session session(true);
    const std::string problem = session.launch(program);
    if (!problem.empty()) {
        std::cerr << "bench: " << problem << "\n";
        return {};
    }
    std::this_thread::sleep_for(1s);
    const double before = cpuMs(session.game().pid());
    std::this_thread::sleep_for(10s);
    const double atRest = cpuMs(session.game().pid()) - before;

    std::printf("  the sound server's sink renders %.1f ms ahead\n", ms(session.renderAhead()));
    Player player(session);
    if (!play(player)) std::cerr << "bench: the play went wrong; figures are partial\n";
    player.pressEnd();
    session.game().wait(10s);

    Figure click{"click to white", "<= 16.7 ms", "ms", {}};
    for (auto d : player.clickToWhite()) click.values.push_back(ms(d));
    Figure length{"flash length - (100 ms + clip)", "0 .. 10 ms", "ms", {}};
    for (const Flash& f : player.flashes())
        if (f.of == 1)
            length.values.push_back(ms(f.off - f.on - 100ms - lengthOf(clipOf(f.letter))));
    Figure start{"Start to first white - 3681 ms", "< 20 ms", "ms", {}};
    for (auto d : player.startToWhite()) start.values.push_back(ms(d) - 3681);

    Figure onset{"sound onset - (white onset + 100 ms)", "< 25 ms", "ms", {}};
    Figure end{"white end - sound end", "0 .. 17 ms", "ms", {}};
    const auto recording = session.recorder()->finish();
    std::string fault;
    const auto heard = hear(recording, session.recordingStart(), player.cues(), fault);
    if (!fault.empty()) {
        const auto kept = std::filesystem::temp_directory_path() / "melquad-bench-recording.u8";
        std::ofstream(kept, std::ios::binary)
            .write(reinterpret_cast<const char*>(recording.data()),
                   static_cast<std::streamsize>(recording.size()));
        std::cerr << "bench: " << fault << "; sound figures are partial (recording kept as "
                  << kept.string() << ")\n";
    }
    for (const Heard& h : heard) {
        if (h.cue.flash < 0) continue;
        const Flash& flash = player.flashes()[static_cast<std::size_t>(h.cue.flash)];
        if (h.cue.exact) onset.values.push_back(ms(h.onset - h.cue.at));
        if (flash.repeat == flash.of - 1) end.values.push_back(ms(flash.off - h.end));
    }
    return {click, length, start, onset, end, {"CPU time in 10 s at rest", "0 ms", "ms", {atRest}}};
}

std::vector<Figure> headless() {
    std::vector<Figure> out;
    for (const auto& [level, rounds] : {std::pair{10, 300}, {1000, 30}, {100000, 3}}) {
        Figure f{"headless cost per colour, level " + std::to_string(level), "flat", "us", {}};
        for (int i = 0; i < rounds; ++i) f.values.push_back(bench::microsecondsPerColour(level));
        out.push_back(std::move(f));
    }
    return out;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1) program = argv[1];
    printMachine();
    std::vector<Figure> figures = played();
    for (auto& f : startupAndMemory()) figures.push_back(std::move(f));
    for (auto& f : headless()) figures.push_back(std::move(f));
    std::printf("\n");
    bench::printTable(figures);
    printMachine();
}
