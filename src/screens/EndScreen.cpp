#include "screens/EndScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "common/ErrStream.hpp"
#include "common/FileCheck.hpp"
#include "hud/RunClock.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionLabel.hpp"
#include "input/PadNames.hpp"
#include "input/RealtimeInput.hpp"
#include "map/LevelSchema.hpp"
#include "map/TmxReader.hpp"
#include "screens/MenuPalette.hpp"
#include "screens/ScreenPicture.hpp"
#include "storage/LevelCatalog.hpp"
#include "storage/RecordsFile.hpp"
#include "storage/Settings.hpp"

#include <SFML/Graphics/Font.hpp>
#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {
// Smaller than the picture's lines, so that it fits the band between them.
const unsigned kTimeLineTextSize = 24;
const sf::Color kTimeLineColour(255, 244, 214);
// The cards on either side of the won picture's flask, in picture coordinates, in the menu's colours.
const sf::FloatRect kMedalCardArea(60, 196, 250, 176);
const sf::FloatRect kNumbersCardArea(490, 196, 250, 176);
const sf::Uint8 kCardOpacity = 200;
const unsigned kCardTitleSize = 28;
const unsigned kCardLineSize = 21;
const sf::Vector2f kMedalPictureSize(64, 64);
// The middle of the band between "A guard dog got you." and "Press Space to return to the menu".
const float kLostNumbersMiddle = 340.0f;
// Below "Press Space to return to the menu": the run's time, and how to try again.
const float kLostTimeMiddle = 425.0f;
const float kRetryMiddle = 462.0f;
// The next level's button, in the band under "Press Space to return to the menu".
const unsigned kNextLevelTextSize = 18;
const float kNextLevelMiddle = 580.0f;
// A line too long for the card or the picture it is centred in gets smaller letters, down to these.
const float kCardInset = 10.0f;
const float kPictureInset = 20.0f;
const unsigned kSmallestLineSize = 12;
const char* const kMedalPictures[] = {"", "Assets/medalBronze.png", "Assets/medalSilver.png",
                                      "Assets/medalGold.png"};

void shrinkToFit(ui::Label& line, float room) {
    while (line.getSize().x > room && line.getTextSize() > kSmallestLineSize) {
        line.setTextSize(line.getTextSize() - 1);
    }
}

// Down in this frame and not in the previous one, nor when the screen opened.
bool newlyPressed(sf::Keyboard::Key key, bool& wasDown) {
    const bool down = RealtimeInput::isKeyPressed(key);
    const bool pressed = down && !wasDown;
    wasDown = down;
    return pressed;
}
} // namespace

std::string EndScreen::timeText(double seconds, const std::string& difficulty, bool kept, bool best) {
    // TRANSLATORS: the run's time on the end screen; {1} is the time, {2} the difficulty ("Normal").
    const std::string time = fill(tr("Time {1} on {2}"), {RunClock::format(seconds), difficulty});
    if (!kept) {
        // TRANSLATORS: after the run's time when the records file could not be written.
        return time + tr(" (could not be saved)");
    }
    // TRANSLATORS: after the run's time when it beats the player's best.
    return best ? time + tr("   New best") : time;
}

std::string EndScreen::assistedTimeText(double seconds, const std::string& difficulty, bool kept, int speed) {
    // TRANSLATORS: a run won at a slower game speed; {1} the time, {2} the difficulty, {3} the speed.
    // The whole line must fit about 50 letters.
    const std::string time = fill(tr("Time {1} on {2}   assisted at {3} %"),
                                  {RunClock::format(seconds), difficulty, std::to_string(speed)});
    return kept ? time : time + tr(" (could not be saved)");
}

std::string EndScreen::retryText(const std::string& key, const std::string& padButton) {
    // TRANSLATORS: under the lost picture; {1} is a key, {2} a pad button. About 50 letters.
    return fill(tr("Press {1} to try again, or {2} on the pad"), {key, padButton});
}

std::string EndScreen::medalTitle(const MedalTimes& times, double seconds) {
    const MedalTimes::Medal medal = times.medalFor(seconds);
    // TRANSLATORS: the end screen's card when the run was too slow for any medal; about 16 letters.
    return medal == MedalTimes::Medal::None ? tr("No medal") : MedalTimes::medalText(medal);
}

std::string EndScreen::nextMedalText(const MedalTimes& times, double seconds) {
    const std::optional<MedalTimes::Medal> next = times.nextMedal(seconds);
    // TRANSLATORS: the lines on the end screen's medal card fit about 22 letters; {1} is a time.
    if (!next) {
        return tr("The best medal there is");
    }
    const std::string limit = RunClock::format(times.limitOf(*next));
    switch (*next) {
    case MedalTimes::Medal::Gold:
        return fill(tr("{1} or less for gold"), {limit});
    case MedalTimes::Medal::Silver:
        return fill(tr("{1} or less for silver"), {limit});
    default:
        return fill(tr("{1} or less for bronze"), {limit});
    }
}

std::string EndScreen::eggsText(int eggsShot) {
    // TRANSLATORS: on the end screen's card of about 22 letters.
    return fill(tr("Eggs shot: {1}"), {std::to_string(eggsShot)});
}

std::string EndScreen::seenText(int timesSeen) {
    // TRANSLATORS: how often a guard saw the player, on the end screen's card of about 22 letters.
    return timesSeen == 0 ? tr("Never seen")
                          : fill(trn("Seen once", "Seen {1} times", static_cast<unsigned long>(timesSeen)),
                                 {std::to_string(timesSeen)});
}

std::string EndScreen::nextLevelText(const std::string& name, bool opened, const std::string& key) {
    // TRANSLATORS: a button under the won picture; {1} is the level's name, {2} a key or pad button.
    return fill(opened ? tr("Now open: {1}   {2}") : tr("Next level: {1}   {2}"), {name, key});
}

void EndScreen::init() {
    wonPicture = ScreenPicture::makePicture("wonScreen", "wonScreen", "wonScreen", "Assets/won.png");
    lostPicture = ScreenPicture::makePicture("lostScreen", "lostScreen", "lostScreen", "Assets/lost.png");
    if (wonPicture) {
        camera = ScreenPicture::makeCamera(wonPicture);
    } else if (lostPicture) {
        camera = ScreenPicture::makeCamera(lostPicture);
    }
    buildTimeLine();
    const GameStateManager* game = GameStateManager::getInstance();
    const bool assisted = game->runSpeed < RecordsFile::kFullSpeed;
    if (game->won && game->medalTimes && !assisted) {
        buildMedalCard(*game->medalTimes, game->runSeconds);
    }
    buildNumbers(game->won);
    if (game->won) {
        buildNextCard();
        offerNextLevel();
    } else {
        buildRetryLine();
    }
    // A key held as the level ended is not a choice made on this screen.
    spaceWasDown = RealtimeInput::isKeyPressed(sf::Keyboard::Space);
    enterWasDown = RealtimeInput::isKeyPressed(sf::Keyboard::Enter);
    restartWasDown = RealtimeInput::isKeyPressed(GameStateManager::getInstance()->settings.key("RESTART"));
}

void EndScreen::buildTimeLine() {
    const GameStateManager* game = GameStateManager::getInstance();
    if (game->window) {
        gui.setTarget(*game->window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    sf::Font font;
    if (FileCheck::mayRead("Assets/arial.ttf") && font.loadFromFile("Assets/arial.ttf")) {
        gui.setFont(font); // before the line is made: it is measured to be centred
    }
    const std::string difficulty = tr(Difficulties::titleOf(game->settings.difficulty));
    const std::string text =
        !game->won ? fill(tr("Time {1} on {2}"), {RunClock::format(game->runSeconds), difficulty})
        : game->runSpeed < RecordsFile::kFullSpeed
            ? assistedTimeText(game->runSeconds, difficulty, game->winKept, game->runSpeed)
            : timeText(game->runSeconds, difficulty, game->winKept, game->newBest);
    timeLine = ui::Label::create(text);
    timeLine->setTextSize(kTimeLineTextSize);
    timeLine->getRenderer()->setTextColor(kTimeLineColour);
    gui.add(timeLine, "time");
    shrinkToFit(*timeLine, Letterbox::kPictureWidth - 2.0f * kPictureInset);
    const sf::Vector2f size = timeLine->getSize();
    timeLine->setPosition({(Letterbox::kPictureWidth - size.x) / 2.0f,
                           (game->won ? kTimeLineMiddle : kLostTimeMiddle) - size.y / 2.0f});
}

std::shared_ptr<ui::Label> EndScreen::addCard(sf::FloatRect area, const std::string& name) {
    auto card = ui::Label::create();
    card->setPosition({area.left, area.top});
    card->setSize({area.width, area.height});
    card->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kCardOpacity));
    card->getRenderer()->setBorders({2.0f, 2.0f, 2.0f, 2.0f});
    card->getRenderer()->setBorderColor(MenuPalette::kGold);
    gui.add(card, name);
    return card;
}

std::shared_ptr<ui::Label> EndScreen::addCentredLine(const std::string& text, unsigned size, sf::Color colour,
                                                     sf::Vector2f centre, const std::string& name) {
    auto line = ui::Label::create(text);
    line->setTextSize(size);
    line->getRenderer()->setTextColor(colour);
    gui.add(line, name);
    float room = Letterbox::kPictureWidth - 2.0f * kPictureInset;
    for (const sf::FloatRect& card : {kMedalCardArea, kNumbersCardArea}) {
        if (card.contains(centre)) {
            room = card.width - 2.0f * kCardInset;
        }
    }
    shrinkToFit(*line, room);
    const sf::Vector2f measured = line->getSize();
    line->setPosition({centre.x - measured.x / 2.0f, centre.y - measured.y / 2.0f});
    return line;
}

void EndScreen::buildMedalCard(const MedalTimes& times, double seconds) {
    medalCard = addCard(kMedalCardArea, "medalCard");
    const float middle = kMedalCardArea.left + kMedalCardArea.width / 2.0f;
    const MedalTimes::Medal medal = times.medalFor(seconds);
    if (medal != MedalTimes::Medal::None) {
        AssetManager* assets = AssetManager::getInstance();
        const char* const file = kMedalPictures[static_cast<int>(medal)];
        assets->loadTexture(file, file);
        medalPicture = ui::BitmapButton::create("");
        if (assets->hasTexture(file)) {
            medalPicture->setImage(assets->getTexture(file));
        }
        medalPicture->setSize(kMedalPictureSize);
        medalPicture->setPosition({middle - kMedalPictureSize.x / 2.0f, kMedalCardArea.top + 14.0f});
        medalPicture->getRenderer()->setBackgroundColor(sf::Color::Transparent);
        medalPicture->getRenderer()->setBorderColor(sf::Color::Transparent);
        gui.add(medalPicture, "medal");
    }
    medalLine = addCentredLine(medalTitle(times, seconds), kCardTitleSize, MenuPalette::kCream,
                               {middle, kMedalCardArea.top + 106.0f}, "medalName");
    nextMedalLine = addCentredLine(nextMedalText(times, seconds), kCardLineSize, MenuPalette::kPaleGold,
                                   {middle, kMedalCardArea.top + 146.0f}, "nextMedal");
}

void EndScreen::buildNumbers(bool won) {
    const GameStateManager* game = GameStateManager::getInstance();
    if (!won) {
        // One line: the eggs to the left of the middle, the sightings to the right.
        const float middle = Letterbox::kPictureWidth / 2.0f;
        eggsLine = addCentredLine(eggsText(game->eggsShot), kTimeLineTextSize, kTimeLineColour,
                                  {middle, kLostNumbersMiddle}, "eggs");
        seenLine = addCentredLine(seenText(game->timesSeen), kTimeLineTextSize, kTimeLineColour,
                                  {middle, kLostNumbersMiddle}, "seen");
        eggsLine->setPosition({middle - 16.0f - eggsLine->getSize().x, eggsLine->getPosition().y});
        seenLine->setPosition({middle + 16.0f, seenLine->getPosition().y});
        return;
    }
    numbersCard = addCard(kNumbersCardArea, "numbersCard");
    const float middle = kNumbersCardArea.left + kNumbersCardArea.width / 2.0f;
    // TRANSLATORS: the title of the end screen's card of numbers, about 14 letters.
    addCentredLine(tr("This run"), kCardTitleSize, MenuPalette::kCream,
                   {middle, kNumbersCardArea.top + 40.0f}, "numbersTitle");
    eggsLine = addCentredLine(eggsText(game->eggsShot), kCardLineSize, MenuPalette::kPaleGold,
                              {middle, kNumbersCardArea.top + 96.0f}, "eggs");
    seenLine = addCentredLine(seenText(game->timesSeen), kCardLineSize, MenuPalette::kPaleGold,
                              {middle, kNumbersCardArea.top + 134.0f}, "seen");
}

void EndScreen::buildRetryLine() {
    const Settings& settings = GameStateManager::getInstance()->settings;
    const PadNames::Family family = InputManager::getInstance()->gamepad.family();
    retryLine = addCentredLine(retryText(ActionLabel::forKeyboard("RESTART", settings),
                                         ActionLabel::forPad("RESTART", settings, family)),
                               kTimeLineTextSize, MenuPalette::kPaleGold,
                               {Letterbox::kPictureWidth / 2.0f, kRetryMiddle}, "retry");
}

void EndScreen::buildNextCard() {
    const GameStateManager* game = GameStateManager::getInstance();
    nextLevel = LevelCatalog::lessonAfter(game->mapPath);
    if (nextLevel.empty() || medalCard) {
        return;
    }
    nextCard = addCard(kMedalCardArea, "nextCard");
    const float middle = kMedalCardArea.left + kMedalCardArea.width / 2.0f;
    const bool lesson = LevelCatalog::isLesson(nextLevel);
    // TRANSLATORS: the title of the end screen's card that leads on, about 14 letters.
    addCentredLine(lesson ? tr("Next lesson") : tr("First level"), kCardTitleSize, MenuPalette::kCream,
                   {middle, kMedalCardArea.top + 56.0f}, "nextTitle");
    const PadNames::Family family = InputManager::getInstance()->gamepad.family();
    // TRANSLATORS: on the end screen's card of about 22 letters; {1} is a pad button.
    addCentredLine(
        fill(tr("Enter or {1} on the pad"), {ActionLabel::forPad("ACCEPT", game->settings, family)}),
        kCardLineSize, MenuPalette::kPaleGold, {middle, kMedalCardArea.top + 116.0f}, "nextKeys");
}

void EndScreen::offerNextLevel() {
    const GameStateManager* game = GameStateManager::getInstance();
    const std::vector<std::string>& shipped = LevelCatalog::shippedLevels();
    const auto won = std::find(shipped.begin(), shipped.end(), game->mapPath);
    if (won == shipped.end() || won + 1 == shipped.end()) {
        return;
    }
    // What the level list will show: the next one is open when this one is in the records.
    int wins = 0;
    if (!game->recordsPath.empty()) {
        const ErrRedirect quiet(nullptr); // a garbled file was reported as the win was saved
        for (const auto& [difficulty, record] :
             RecordsFile(game->recordsPath).findAll(RecordsFile::levelKey(*won))) {
            wins += record.wins;
        }
    }
    if (wins == 0 && !game->settings.openAllLevels) {
        return;
    }
    nextLevelPath = *(won + 1);
    std::ostringstream quiet;
    const auto next = readTileMapFile(nextLevelPath, quiet);
    const std::string name = next ? tr(next->property(LevelSchema::kLevelName)) : "";
    buildNextLevelButton(name.empty() ? std::filesystem::path(nextLevelPath).filename().string() : name,
                         wins == 1 && !game->settings.openAllLevels);
}

void EndScreen::buildNextLevelButton(const std::string& name, bool opened) {
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    const std::string key =
        pad.wasUsedLast() ? PadNames::label(pad.family(), SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) : "Enter";
    nextLevelButton = ui::Button::create(nextLevelText(name, opened, key));
    nextLevelButton->setTextSize(kNextLevelTextSize);
    auto style = nextLevelButton->getRenderer();
    style->setBackgroundColor(MenuPalette::nightBlue(kCardOpacity));
    style->setBackgroundColorHover(MenuPalette::kHoverBlue);
    style->setBorderColor(MenuPalette::kGold);
    style->setBorderColorHover(MenuPalette::kPaleGold);
    style->setBorders(2.0f);
    style->setTextColor(MenuPalette::kCream);
    style->setTextColorHover(sf::Color::White);
    gui.add(nextLevelButton, "nextLevel");
    const sf::Vector2f size = nextLevelButton->getSize();
    nextLevelButton->setPosition(
        {(Letterbox::kPictureWidth - size.x) / 2.0f, kNextLevelMiddle - size.y / 2.0f});
    nextLevelButton->onClick.connect([this] { nextLevelClicked = true; });
}

bool EndScreen::nextLevelChosen() {
    if (!nextLevelButton) {
        return false;
    }
    const bool altDown =
        RealtimeInput::isKeyPressed(sf::Keyboard::LAlt) || RealtimeInput::isKeyPressed(sf::Keyboard::RAlt);
    const bool enter = newlyPressed(sf::Keyboard::Enter, enterWasDown) && !altDown; // Alt+Enter: fullscreen
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    return enter || nextLevelClicked || pad.buttonPressed() == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
}

void EndScreen::exit() {
    SceneRegistries::dispose();
}

void EndScreen::update(float) {
    GameStateManager* game = GameStateManager::getInstance();
    if (game->window) {
        gui.setRelativeViewport(Letterbox::viewport(game->window->getSize()));
    }
    if (nextLevelButton) {
        for (const sf::Event& event : game->lastEvents) {
            gui.handleEvent(event);
        }
    }
}

void EndScreen::draw(sf::RenderWindow& window) {
    const auto& picture = GameStateManager::getInstance()->won ? wonPicture : lostPicture;
    if (!camera || !picture) {
        return;
    }
    camera->draw(window);
    picture->draw(window);
    gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
    gui.draw();
}

void EndScreen::handleInput(float) {
    const bool nothingToShow = !wonPicture && !lostPicture;
    GameStateManager* game = GameStateManager::getInstance();
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    if (!nothingToShow && nextCard &&
        (newlyPressed(sf::Keyboard::Enter, enterWasDown) || pad.isPressed("ACCEPT"))) {
        game->mapPath = nextLevel;
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
    if (nothingToShow || newlyPressed(sf::Keyboard::Space, spaceWasDown) || pad.isPressed("ACCEPT") ||
        pad.isPressed("PAUSE")) {
        game->setState(GameStateManager::kStartScreen);
        return;
    }
    if (newlyPressed(game->settings.key("RESTART"), restartWasDown) || pad.isPressed("RESTART")) {
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
    if (nextLevelChosen()) {
        game->mapPath = nextLevelPath;
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
}
