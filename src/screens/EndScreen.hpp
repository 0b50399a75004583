#pragma once

#include "app/GameState.hpp"
#include "map/MedalTimes.hpp"
#include "scene/GameObject.hpp"
#include "ui/BitmapButton.hpp"
#include "ui/Button.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <memory>
#include <string>

// After a level: the won or the lost picture, chosen from the state manager's won flag every frame; after a
// win also the run's time and difficulty, between the picture's two lines of text, with "New best" when it
// beat the record at that difficulty, or a word that the time could not be kept; on a level with medal
// times a card on the left with the medal won and the time the next one needs. The run's numbers (eggs
// shot, times seen) are on a card on the right after a win, between the lines after a loss. Space returns to
// the menu, R (as bound) plays the level again; a key already down when the screen opened (Space shoots in
// the level) counts only once it has been let go and pressed again. After a loss the run's time shows, and
// how to try again with the key and pad button bound now. A win at a slower game speed says it was assisted,
// at what speed, and shows no medal. After a won lesson a card offers the next one (Enter, or the pad's
// accept button); after the last lesson it offers the first level. After a win of a shipped level that has
// another after it, now open, a button under the picture's lines offers it (Enter, the pad's right shoulder
// button or a click), and says when this win opened it.
class EndScreen final : public GameState {
public:
    // The middle of the free band between "You escaped with the formula." and "Press Space to return to
    // the menu" in the won picture, in picture coordinates.
    static constexpr float kTimeLineMiddle = 503.0f;

    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;

    // "Time 1:23.4 on Normal   New best", "Time 1:23.4 on Normal" or "Time 1:23.4 on Hard (could not be
    // saved)".
    static std::string timeText(double seconds, const std::string& difficulty, bool kept, bool best);
    // The same for a win at `speed` percent below full speed: "Time 1:23.4 on Normal   assisted at 70 %".
    static std::string assistedTimeText(double seconds, const std::string& difficulty, bool kept, int speed);
    // "Press R to try again, or Y on the pad", with the key and pad button given.
    static std::string retryText(const std::string& key, const std::string& padButton);
    // "Gold medal", "Silver medal", "Bronze medal" or "No medal".
    static std::string medalTitle(const MedalTimes& times, double seconds);
    // "0:40.0 or less for gold", or "The best medal there is" after a gold.
    static std::string nextMedalText(const MedalTimes& times, double seconds);
    // "Eggs shot: 3" and "Seen 2 times", "Seen once" or "Never seen".
    static std::string eggsText(int eggsShot);
    static std::string seenText(int timesSeen);
    // "Next level: The Hen Run   Enter", or "Now open: The Hen Run   Enter" when this win opened it.
    static std::string nextLevelText(const std::string& name, bool opened, const std::string& key);

    std::shared_ptr<GameObject> wonPicture;
    std::shared_ptr<GameObject> lostPicture;
    std::shared_ptr<GameObject> camera;
    ui::Gui gui;
    std::shared_ptr<ui::Label> timeLine;
    // After a won level with medal times: the card, the medal's picture and its two lines.
    std::shared_ptr<ui::Label> medalCard;
    std::shared_ptr<ui::BitmapButton> medalPicture;
    std::shared_ptr<ui::Label> medalLine;
    std::shared_ptr<ui::Label> nextMedalLine;
    // Eggs shot and times seen: on the card after a win, in one line after a loss.
    std::shared_ptr<ui::Label> numbersCard;
    std::shared_ptr<ui::Label> eggsLine;
    std::shared_ptr<ui::Label> seenLine;
    // After a loss: how to try again.
    std::shared_ptr<ui::Label> retryLine;
    // After a won lesson: the level that Enter starts, and its card.
    std::string nextLevel;
    std::shared_ptr<ui::Label> nextCard;
    // The shipped level after the one won, when it is open; nothing otherwise.
    std::shared_ptr<ui::Button> nextLevelButton;
    std::string nextLevelPath;

private:
    void buildTimeLine();
    void buildMedalCard(const MedalTimes& times, double seconds);
    void buildNumbers(bool won);
    void buildRetryLine();
    void buildNextCard();
    std::shared_ptr<ui::Label> addCard(sf::FloatRect area, const std::string& name);
    void offerNextLevel();
    void buildNextLevelButton(const std::string& name, bool opened);
    bool nextLevelChosen();
    std::shared_ptr<ui::Label> addCentredLine(const std::string& text, unsigned size, sf::Color colour,
                                              sf::Vector2f centre, const std::string& name);

    bool spaceWasDown = true;
    bool restartWasDown = true;
    bool enterWasDown = true;
    bool nextLevelClicked = false;
};
