#include "app/sound.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/sound/test_clips.h"

namespace {

using namespace std::chrono_literals;

// A play may end later than its clip, never earlier: by up to three of SDL's 23 ms buffers
// (until SDL takes the first piece, the last piece, the device's buffer), and by the disk
// driver's own drift, which sleeps a buffer's time after each write and so runs late on a
// busy machine.
constexpr double kLateMs = 70;
constexpr double kDrift = 0.05;

double playMs(Sound& sound, std::span<const std::uint8_t> wave) {
    const auto start = std::chrono::steady_clock::now();
    sound.play(wave);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void expectClipLength(double playedMs, std::size_t sampleCount) {
    const double clipMs = lengthMs(sampleCount);
    std::cout << "  " << sampleCount << " samples: clip " << clipMs << " ms, play " << playedMs
              << " ms\n";
    EXPECT_GE(playedMs, clipMs - 1);
    EXPECT_LE(playedMs, clipMs * (1 + kDrift) + kLateMs);
}

void useNoDevice() {
    setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    setenv("PULSE_SERVER", "unix:/nonexistent/melquad-sound-test/native", 1);
}

// Output through SDL's disk driver, which writes what the device plays to a file.
class DiskOutput : public testing::Test {
protected:
    void SetUp() override {
        path_ = testing::TempDir() + "sound_test_" + std::to_string(getpid()) + ".raw";
        useDisk();
    }
    void TearDown() override { std::remove(path_.c_str()); }

    void useDisk() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
    }
    Bytes output() const { return readFile(path_); }

    const Bytes a_ = samples(4001, 1);
    const Bytes b_ = samples(2999, 2);

private:
    std::string path_;
};

TEST_F(DiskOutput, SamplesReachTheOutputExactlyAndInOrder) {
    {
        Sound sound;
        sound.play(waveImage(a_));
        sound.play(waveImage(b_));
    }
    const Bytes out = output();
    const std::size_t atA = find(out, a_);
    ASSERT_LT(atA, out.size()) << "first clip not in the output";
    const std::size_t atB = find(out, b_, atA + a_.size());
    ASSERT_LT(atB, out.size()) << "second clip not after the first";
    EXPECT_TRUE(silent(out, 0, atA)) << "something played before the first clip";
    EXPECT_TRUE(silent(out, atA + a_.size(), atB)) << "pad byte or noise between the clips";
    EXPECT_TRUE(silent(out, atB + b_.size(), out.size())) << "pad byte or noise after the clips";
}

TEST_F(DiskOutput, EachPlayLastsItsClipsLength) {
    Sound sound;
    for (const Bytes& clip : {a_, b_, samples(13431, 3), samples(1, 4)}) {
        expectClipLength(playMs(sound, waveImage(clip)), clip.size());
    }
}

// Images no player takes still last their data chunk's length, and none of it is heard.
TEST_F(DiskOutput, UnplayableClipIsSilentForItsLength) {
    Bytes noFormat = waveImage(a_);
    std::copy_n("junk", 4, noFormat.begin() + 12);
    {
        Sound sound;
        expectClipLength(playMs(sound, waveImage(a_, 99)), a_.size());
        expectClipLength(playMs(sound, noFormat), a_.size());
        // Without a data chunk there is nothing to wait for.
        EXPECT_LE(playMs(sound, Bytes{}), 10);
        EXPECT_LE(playMs(sound, Bytes{'R', 'I', 'F', 'F'}), 10);
        sound.play(waveImage(b_));  // the device still works afterwards
    }
    const Bytes out = output();
    EXPECT_EQ(find(out, a_), out.size());
    EXPECT_LT(find(out, b_), out.size());
}

TEST_F(DiskOutput, DeviceThatAppearsLaterIsUsed) {
    useNoDevice();
    auto sound = std::make_unique<Sound>();
    expectClipLength(playMs(*sound, waveImage(a_)), a_.size());
    useDisk();
    std::this_thread::sleep_for(2500ms);  // the device is asked for again only every few seconds
    expectClipLength(playMs(*sound, waveImage(a_)), a_.size());  // finds it
    expectClipLength(playMs(*sound, waveImage(b_)), b_.size());
    sound.reset();
    const Bytes out = output();
    EXPECT_LT(find(out, b_), out.size());
}

TEST(NoDevice, PlaysLastTheirLengthSilently) {
    useNoDevice();
    const Bytes clips[] = {samples(4001, 1), samples(2999, 2), samples(4001, 1)};
    std::vector<double> played;
    testing::internal::CaptureStdout();
    {
        Sound sound;
        for (const Bytes& clip : clips) played.push_back(playMs(sound, waveImage(clip)));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    for (std::size_t i = 0; i < played.size(); ++i) expectClipLength(played[i], clips[i].size());
}

// With the device open, SIGINT and SIGTERM still end the process as they would without SDL.
class StopSignal : public testing::TestWithParam<int> {};

TEST_P(StopSignal, EndsTheProcess) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        Sound sound;
        sound.play(waveImage(samples(100, 5)));
        if (write(ready[1], "r", 1) != 1) _exit(2);
        for (;;) pause();
    }
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    kill(child, GetParam());
    int status = 0;
    for (const auto until = std::chrono::steady_clock::now() + 3s;
         waitpid(child, &status, WNOHANG) == 0;) {
        if (std::chrono::steady_clock::now() > until) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            FAIL() << "the signal did not end the process";
        }
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Sound, StopSignal, testing::Values(SIGINT, SIGTERM));

}  // namespace
