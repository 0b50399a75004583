// The real game started in Spanish from the environment alone, on a system with only the C.UTF-8 locale.
#include "support/EndToEndTest.hpp"

namespace {
using LanguageEndToEndTest = EndToEndTest;

TEST_F(LanguageEndToEndTest, TheMenuIsSpanishWhenLanguageAsksForIt) {
    const sf::Image english = shot("english");
    ASSERT_TRUE(closeAndWait());
    environment = {"LANGUAGE=es", "LANG=C.UTF-8"};
    startGame();
    const sf::Image spanish = shot("spanish");
    ASSERT_EQ(english.getSize(), spanish.getSize());
    // The buttons' words and the title picture's line differ; the rest of the picture is the same.
    const double share = differingShare(english, spanish);
    EXPECT_GT(share, 0.002);
    EXPECT_LT(share, 0.2);
    EXPECT_TRUE(closeAndWait());
    EXPECT_EQ(unexpectedErrors(), "");
}

} // namespace
