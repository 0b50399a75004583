// sf::err() redirected on one thread while SFML's streaming thread (the one every sf::Music plays on)
// writes to it: each thread's writes reach its own target and no other. Swapping sf::err().rdbuf(), as
// captures once did, sent one thread's lines into the other's buffer, and into destroyed ones.
#include "common/ErrStream.hpp"

#include "support/ErrCapture.hpp"

#include <SFML/Audio/SoundStream.hpp>
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {
// A stream whose first request for samples, on SFML's streaming thread, writes the lines asked for to
// sf::err() under a capture of its own until it is told to stop, as SFML reports failed OpenAL calls
// from there.
class TalkingStream : public sf::SoundStream {
public:
    TalkingStream() { initialize(1, 22050); }
    ~TalkingStream() override {
        finish();
        stop();
    }

    void finish() { done = true; }
    // Waits until the streaming thread has written `count` more lines.
    void writeLines(int count) {
        linesWanted += count;
        while (linesWritten < linesWanted) {
            std::this_thread::yield();
        }
    }
    bool heardOnlyItself() const { return ownLinesOnly; }

protected:
    bool onGetData(Chunk& data) override {
        if (!done) {
            ErrCapture own;
            std::string expected;
            while (!done) {
                if (linesWritten == linesWanted) {
                    std::this_thread::yield();
                    continue;
                }
                sf::err() << "stream line" << std::endl;
                expected += "stream line\n";
                ++linesWritten;
            }
            ownLinesOnly = own.text() == expected;
        }
        data.samples = silence.data();
        data.sampleCount = silence.size();
        return false;
    }
    void onSeek(sf::Time) override {}

private:
    std::vector<sf::Int16> silence = std::vector<sf::Int16>(512, 0);
    std::atomic<bool> done{false};
    std::atomic<int> linesWanted{0};
    std::atomic<int> linesWritten{0};
    std::atomic<bool> ownLinesOnly{false};
};

TEST(ErrStreamTest, ARedirectionKeepsItsThreadsLinesWhileTheStreamingThreadWrites) {
    ErrStream::install();
    TalkingStream stream;
    stream.play();
    for (int i = 0; i < 300; ++i) {
        ErrCapture mine;
        stream.writeLines(3); // while this capture lives
        sf::err() << "main line " << i << std::endl;
        ASSERT_EQ(mine.text(), "main line " + std::to_string(i) + "\n");
    }
    stream.finish();
    stream.stop();
    EXPECT_TRUE(stream.heardOnlyItself()) << "the streaming thread's capture holds its own lines alone";
}

TEST(ErrStreamTest, ANullTargetDropsTheLinesAndRedirectionsNest) {
    ErrCapture outer;
    sf::err() << "kept" << std::endl;
    {
        const ErrRedirect dropped(nullptr);
        sf::err() << "dropped" << std::endl;
        {
            ErrCapture inner;
            sf::err() << "inner" << std::endl;
            EXPECT_EQ(inner.text(), "inner\n");
        }
        sf::err() << "dropped too" << std::endl;
    }
    sf::err() << "kept again" << std::endl;
    EXPECT_TRUE(sf::err().good());
    EXPECT_EQ(outer.text(), "kept\nkept again\n");
}
} // namespace
