#include "screens/LevelListScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "hud/RunClock.hpp"
#include "i18n/Translator.hpp"
#include "screens/MenuFocus.hpp"
#include "screens/MenuPalette.hpp"
#include "screens/ScreenPicture.hpp"
#include "storage/Settings.hpp"

#include <SFML/Graphics/Text.hpp>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <tuple>

namespace {
const char* const kFontFile = "Assets/arial.ttf";

constexpr float kLeft = 70.0f;
constexpr float kWidth = 660.0f;
constexpr float kFirstRowTop = 100.0f;
constexpr float kRowHeight = 50.0f;
constexpr float kRowPitch = 58.0f;
constexpr float kFooterTop = 520.0f;
constexpr unsigned kNameSize = 18;
constexpr unsigned kProblemSize = 14;
// What a row's text may take: the row inside its borders and the button's padding, and a little air.
constexpr float kRowTextWidth = kWidth - 2 * (2.0f + 0.6f * kNameSize + 2.0f);
// The status line, right of the title, and at least this far from its left.
constexpr float kStatusLeft = kLeft + 120.0f;
constexpr float kStatusGap = 20.0f;
constexpr float kStatusTop = 56.0f;
constexpr unsigned kStatusSize = 15;
// How long opening the list or turning a page waits for the page's checks before it shows the levels not
// yet checked as such: long enough for ordinary maps, short enough that nothing seems to hang.
constexpr std::chrono::milliseconds kPageWait{150};

const sf::Uint32 kEllipsis = 0x2026;

// The letters of a UTF-8 text, as the list shows them: a line break, tab or other space-like control as a
// space, other control characters left out, and each byte that starts no letter as "?".
sf::String shownLetters(const std::string& utf8) {
    sf::String letters;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        sf::Uint32 letter = length == 1   ? lead
                            : length == 2 ? lead & 0x1F
                            : length == 3 ? lead & 0x0F
                                          : lead & 0x07;
        bool valid = length > 0 && at + length <= utf8.size();
        for (std::size_t i = 1; valid && i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8[at + i]);
            valid = (next & 0xC0) == 0x80;
            letter = (letter << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and numbers past Unicode are no letters either.
        static const sf::Uint32 kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && letter >= kSmallest[length] && letter <= 0x10FFFF &&
                (letter < 0xD800 || letter > 0xDFFF);
        if (!valid) {
            letters += sf::Uint32('?');
            ++at;
            continue;
        }
        at += length;
        if (letter == '\t' || letter == '\n' || letter == '\r' || letter == 0x0B || letter == 0x0C ||
            letter == 0x85 || letter == 0x2028 || letter == 0x2029) {
            letters += sf::Uint32(' ');
        } else if (letter >= 0x20 && !(letter >= 0x7F && letter <= 0x9F)) {
            letters += letter;
        }
    }
    return letters;
}

std::string toUtf8(const sf::String& letters) {
    const auto bytes = letters.toUtf8();
    return std::string(bytes.begin(), bytes.end());
}

float widthOfLetters(const sf::String& letters, const sf::Font& font, unsigned size) {
    const sf::Text text(letters, font, size);
    return text.findCharacterPos(letters.getSize()).x;
}

// The letters cut to fit `width`, ending in an ellipsis when cut.
sf::String fittedLetters(const sf::String& letters, const sf::Font& font, unsigned size, float width) {
    if (widthOfLetters(letters, font, size) <= width) {
        return letters;
    }
    const float room = width - widthOfLetters(sf::String(kEllipsis), font, size);
    const sf::Text text(letters, font, size);
    // The most letters whose advance fits in the room left beside the ellipsis.
    std::size_t low = 0;
    std::size_t high = letters.getSize();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (text.findCharacterPos(middle).x <= room) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    sf::String cut = letters.substring(0, low);
    while (!cut.isEmpty() && cut[cut.getSize() - 1] == ' ') {
        cut.erase(cut.getSize() - 1);
    }
    return cut + sf::String(kEllipsis);
}
} // namespace

std::pair<std::string, std::string> LevelListScreen::entryParts(const LevelCatalog::Details& details,
                                                                const std::string& fileName, bool shipped,
                                                                Difficulty difficulty) {
    if (!details.playable()) {
        return {fileName + ": ", details.problem};
    }
    // A shipped level's name is in the catalog; a player's own shows as it was written.
    const std::string name = shipped                    ? tr(details.name)
                             : details.name == fileName ? details.name
                                                        : details.name + " (" + fileName + ")";
    return {name, "   " + recordText(details, difficulty)};
}

std::string LevelListScreen::lockedText(const std::string& previousName) {
    // TRANSLATORS: beside a locked level's name in the level list; {1} is the level before it.
    return fill(tr("Locked: win {1} to open it"), {previousName});
}

std::string LevelListScreen::entryText(const LevelCatalog::Details& details, const std::string& fileName,
                                       bool shipped, Difficulty difficulty) {
    const auto [first, second] = entryParts(details, fileName, shipped, difficulty);
    return first + second;
}

float LevelListScreen::widthOf(const std::string& utf8, const sf::Font& font, unsigned size) {
    return widthOfLetters(shownLetters(utf8), font, size);
}

std::string LevelListScreen::fitted(const std::string& utf8, const sf::Font& font, unsigned size,
                                    float width) {
    return toUtf8(fittedLetters(shownLetters(utf8), font, size, width));
}

std::string LevelListScreen::fittedParts(const std::string& first, const std::string& second,
                                         const sf::Font& font, unsigned size, float width) {
    const sf::String head = shownLetters(first);
    const sf::String tail = shownLetters(second);
    if (widthOfLetters(head + tail, font, size) <= width) {
        return toUtf8(head + tail);
    }
    const float tailWidth = widthOfLetters(tail, font, size);
    const sf::String shownHead = fittedLetters(head, font, size, std::max(width - tailWidth, width / 2));
    const float left = width - widthOfLetters(shownHead, font, size);
    return toUtf8(shownHead + fittedLetters(tail, font, size, left));
}

std::string LevelListScreen::recordText(const LevelCatalog::Details& details, Difficulty difficulty) {
    const std::string played = tr(Difficulties::titleOf(difficulty));
    // TRANSLATORS: a level's record in the level list; {1} is the difficulty ("Normal"), {2} the record.
    const char* const line = N_("{1}: {2}");
    const auto record = details.records.find(difficulty);
    if (record == details.records.end()) {
        // TRANSLATORS: the record of a level not won at this difficulty.
        return fill(tr(line), {played, tr("not won yet")});
    }
    const int wins = record->second.wins;
    const double best = record->second.bestSeconds;
    // An assisted best earns no medal, and says at what speed it was won.
    const bool assisted = record->second.assisted();
    // TRANSLATORS: in a level's record: the game speed a best time was won at.
    const std::string medal = assisted ? fill(tr("assisted at {1} %"), {std::to_string(record->second.speed)})
                              : details.medalTimes ? MedalTimes::medalText(details.medalTimes->medalFor(best))
                                                   : std::string();
    // TRANSLATORS: in a level's record: {1} is the best time, {2} how many wins.
    const std::string wonTimes =
        fill(trn("best {1}, won {2} time", "best {1}, won {2} times", static_cast<unsigned long>(wins)),
             {RunClock::format(best), std::to_string(wins)});
    return fill(tr(line), {played, medal.empty() ? wonTimes : medal + ", " + wonTimes});
}

void LevelListScreen::init() {
    background =
        ScreenPicture::makePicture("startScreen", "background", "startScreen", "Assets/startScreen.png");
    if (background) {
        camera = ScreenPicture::makeCamera(background);
    }
    GameStateManager* game = GameStateManager::getInstance();
    if (game->window) {
        gui.setTarget(*game->window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    gui.setFont(kFontFile);
    panel.setPosition(kLeft - 20.0f, 30.0f);
    panel.setSize({kWidth + 40.0f, 550.0f});
    panel.setFillColor(MenuPalette::nightBlue(248));
    panel.setOutlineColor(MenuPalette::kGold);
    panel.setOutlineThickness(2.0f);
    practice = game->practiceList;
    openCatalog();
    buildWidgets();
    showPage(0);
    MenuFocus::restore(gui, GameStateManager::kLevelListScreen);
}

void LevelListScreen::openCatalog() {
    const std::string& records = GameStateManager::getInstance()->recordsPath;
    if (practice) {
        catalog.emplace(LevelCatalog::lessons(), records);
    } else {
        catalog.emplace(LevelCatalog::defaultPlayerFolder(), records);
    }
}

std::shared_ptr<ui::Button> LevelListScreen::makeButton(const std::string& text, sf::FloatRect area,
                                                        unsigned textSize) {
    auto button = ui::Button::create(text);
    button->setPosition({area.left, area.top});
    button->setSize({area.width, area.height});
    button->setTextSize(textSize);
    auto style = button->getRenderer();
    style->setBackgroundColor(MenuPalette::nightBlue(224));
    style->setBackgroundColorHover(MenuPalette::kHoverBlue);
    style->setBackgroundColorDown(sf::Color(11, 17, 40));
    style->setBorderColor(MenuPalette::kGold);
    style->setBorderColorHover(MenuPalette::kPaleGold);
    style->setBorders(2.0f);
    style->setTextColor(MenuPalette::kCream);
    style->setTextColorHover(sf::Color::White);
    style->setColor("TextColorDisabled", sf::Color(140, 140, 150));
    style->setColor("BorderColorDisabled", sf::Color(90, 90, 100));
    style->setColor("BackgroundColorDisabled", sf::Color(30, 32, 40, 224));
    gui.add(button);
    return button;
}

void LevelListScreen::buildWidgets() {
    // TRANSLATORS: the title of the list of lessons or of levels.
    auto title = ui::Label::create(practice ? tr("Practice") : tr("Levels"));
    title->setPosition({kLeft, 44.0f});
    title->setTextSize(30);
    title->getRenderer()->setTextColor(MenuPalette::kGold);
    gui.add(title); // measured by the Gui's font once added
    statusLeft = std::max(kStatusLeft, kLeft + title->getSize().x + kStatusGap);
    statusLabel = ui::Label::create("");
    statusLabel->setPosition({statusLeft, kStatusTop});
    statusLabel->setTextSize(kStatusSize);
    statusLabel->getRenderer()->setTextColor(MenuPalette::kPaleGold);
    gui.add(statusLabel);
    if (practice) {
        // TRANSLATORS: the line under the practice list's title, about 55 letters.
        say(tr("One thing at a time: play the lessons in order"));
    }
    for (std::size_t row = 0; row < kRowsPerPage; ++row) {
        auto button = makeButton("", {kLeft, kFirstRowTop + row * kRowPitch, kWidth, kRowHeight}, kNameSize);
        button->onClick.connect([this, row] { chosen = firstShown + row; });
        entryButtons.push_back(button);
    }
    rows.resize(kRowsPerPage);
    // TRANSLATORS: the level list's buttons of about 12 letters.
    previousButton = makeButton(tr("Previous"), {kLeft, kFooterTop, 150.0f, 40.0f}, 18);
    previousButton->onClick.connect(
        [this] { showPage(firstShown >= kRowsPerPage ? firstShown - kRowsPerPage : 0); });
    nextButton = makeButton(tr("Next"), {kLeft + 170.0f, kFooterTop, 150.0f, 40.0f}, 18);
    nextButton->onClick.connect([this] { showPage(firstShown + kRowsPerPage); });
    backButton = makeButton(tr("Back"), {kLeft + kWidth - 150.0f, kFooterTop, 150.0f, 40.0f}, 18);
    backButton->onClick.connect([this] { backChosen = true; });
    pageLabel = ui::Label::create("");
    pageLabel->setPosition({kLeft + 340.0f, kFooterTop + 10.0f});
    pageLabel->setTextSize(16);
    pageLabel->getRenderer()->setTextColor(MenuPalette::kCream);
    gui.add(pageLabel);
}

std::size_t LevelListScreen::pageCount() const {
    return std::max<std::size_t>(1, (catalog->size() + kRowsPerPage - 1) / kRowsPerPage);
}

void LevelListScreen::showPage(std::size_t first) {
    const std::size_t page = std::min(first / kRowsPerPage, pageCount() - 1);
    const bool turned = page * kRowsPerPage != firstShown;
    firstShown = page * kRowsPerPage;
    if (turned) {
        waitingFor.reset(); // a wait for a level left behind ends with its page
        say("");
    }
    catalog->prefer(firstShown, kRowsPerPage);
    catalog->waitFor(firstShown, kRowsPerPage, kPageWait);
    previousButton->setEnabled(firstShown > 0);
    nextButton->setEnabled(firstShown + kRowsPerPage < catalog->size());
    // TRANSLATORS: beside the level list's buttons, about 12 letters.
    pageLabel->setText(fill(tr("Page {1} of {2}"), {std::to_string(page + 1), std::to_string(pageCount())}));
    for (Row& row : rows) {
        row = Row{};
    }
    refreshRows();
    fittedScale = 0.0f;
    fitTexts();
}

bool LevelListScreen::refreshRows() {
    bool allReady = true;
    bool changed = false;
    for (std::size_t row = 0; row < kRowsPerPage; ++row) {
        const std::size_t index = firstShown + row;
        const bool shown = index < catalog->size();
        entryButtons[row]->setVisible(shown);
        if (!shown || rows[row].ready) {
            continue;
        }
        const LevelCatalog::Details* details = catalog->lookUp(index);
        Row now;
        if (details) {
            now = checkedRow(index, *details);
        } else {
            // Still being checked: it can be chosen, unless locked, and starts once found playable.
            now.first = catalog->fileName(index);
            // TRANSLATORS: beside a level's file name while the game checks the level.
            now.second = "   " + tr("being checked...");
            now.locked = locked(index);
        }
        allReady = allReady && now.ready;
        if (now.first != rows[row].first || now.second != rows[row].second || now.ready != rows[row].ready ||
            now.locked != rows[row].locked) {
            rows[row] = now;
            changed = true;
            entryButtons[row]->setTextSize(now.ready && !now.playable ? kProblemSize : kNameSize);
            entryButtons[row]->setEnabled((!now.ready || now.playable) && !now.locked);
        }
    }
    if (changed) {
        fittedScale = 0.0f;
    }
    return allReady;
}

bool LevelListScreen::locked(std::size_t index) const {
    return !GameStateManager::getInstance()->settings.openAllLevels && !catalog->opened(index);
}

LevelListScreen::Row LevelListScreen::checkedRow(std::size_t index, const LevelCatalog::Details& details) {
    Row row;
    std::tie(row.first, row.second) = entryParts(details, catalog->fileName(index), catalog->shipped(index),
                                                 GameStateManager::getInstance()->settings.difficulty);
    row.ready = true;
    row.playable = details.playable();
    row.locked = locked(index);
    if (row.playable && row.locked) {
        // Named after the level before it, once that one has been checked too.
        const LevelCatalog::Details* before = catalog->lookUp(index - 1);
        const std::string beforeName = !before                       ? tr("the level before it")
                                       : catalog->shipped(index - 1) ? tr(before->name)
                                                                     : before->name;
        row.second = "   " + lockedText(beforeName);
        row.ready = before != nullptr;
    }
    return row;
}

void LevelListScreen::fitTexts() {
    GameStateManager* game = GameStateManager::getInstance();
    const float scale = game->window
                            ? Letterbox::pixelArea(game->window->getSize()).height / Letterbox::kPictureHeight
                            : 1.0f;
    const sf::Font* font = gui.getFont();
    if (scale == fittedScale || !font || scale <= 0.0f) {
        return;
    }
    fittedScale = scale;
    // Measured at the size the text is drawn in the window, where the glyphs' widths are not quite in
    // proportion to those at 800x600.
    const auto shownSize = [&](unsigned size) {
        return static_cast<unsigned>(std::max(1.0f, std::round(size * scale)));
    };
    for (std::size_t row = 0; row < kRowsPerPage; ++row) {
        const unsigned size = entryButtons[row]->getTextSize();
        entryButtons[row]->setText(
            fittedParts(rows[row].first, rows[row].second, *font, shownSize(size), kRowTextWidth * scale));
    }
    statusLabel->setText(
        fitted(status, *font, shownSize(kStatusSize), (kLeft + kWidth - statusLeft) * scale));
}

bool LevelListScreen::pageChecked() {
    return catalog->waitFor(firstShown, kRowsPerPage, std::chrono::milliseconds(0));
}

void LevelListScreen::say(const std::string& text) {
    status = text;
    fittedScale = 0.0f;
}

void LevelListScreen::exit() {
    catalog.reset(); // its checks not yet started are dropped
    SceneRegistries::dispose();
}

bool LevelListScreen::wantsBack(const sf::Event& event) const {
    return event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape;
}

bool LevelListScreen::turnsPage(const sf::Event& event) {
    const std::size_t last = (pageCount() - 1) * kRowsPerPage;
    std::optional<std::size_t> first;
    if (event.type == sf::Event::KeyPressed) {
        switch (event.key.code) {
        case sf::Keyboard::PageUp:
            first = firstShown >= kRowsPerPage ? firstShown - kRowsPerPage : 0;
            break;
        case sf::Keyboard::PageDown:
            first = std::min(firstShown + kRowsPerPage, last);
            break;
        case sf::Keyboard::Home:
            first = 0;
            break;
        case sf::Keyboard::End:
            first = last;
            break;
        default:
            break;
        }
    } else if (event.type == sf::Event::MouseWheelScrolled && event.mouseWheelScroll.delta != 0.0f &&
               event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel) {
        // Away from the player (up) goes back, as in every list.
        first = event.mouseWheelScroll.delta > 0
                    ? (firstShown >= kRowsPerPage ? firstShown - kRowsPerPage : 0)
                    : std::min(firstShown + kRowsPerPage, last);
    }
    if (first && *first != firstShown) {
        showPage(*first);
    }
    return first.has_value();
}

void LevelListScreen::turnPageByPad(const Gamepad& pad) {
    // The shoulder buttons turn the pages, as in a console's lists.
    const auto pressed = pad.buttonPressed();
    if (pressed == SDL_CONTROLLER_BUTTON_LEFTSHOULDER && firstShown >= kRowsPerPage) {
        showPage(firstShown - kRowsPerPage);
    } else if (pressed == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER &&
               firstShown + kRowsPerPage < catalog->size()) {
        showPage(firstShown + kRowsPerPage);
    }
}

void LevelListScreen::relist() {
    const std::size_t page = firstShown;
    catalog.reset();
    openCatalog();
    const std::string kept = status;
    firstShown = std::numeric_limits<std::size_t>::max(); // whatever page it lands on, it is shown afresh
    showPage(page);
    say(kept);
}

void LevelListScreen::start(std::size_t index) {
    GameStateManager* game = GameStateManager::getInstance();
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    game->mapPath = catalog->path(index);
    game->setState(GameStateManager::kIngameScreen);
}

void LevelListScreen::choose(std::size_t index) {
    if (locked(index)) {
        return; // greyed as well
    }
    const std::size_t row = index - firstShown;
    const std::string fileName = catalog->fileName(index);
    const LevelCatalog::Details* details = catalog->lookUp(index);
    if (!details) {
        waitingFor = index;
        say(fill(tr("{1} is being checked; it starts once it is found playable"), {fileName}));
        return;
    }
    if (!details->playable()) {
        return; // greyed: a click on it does nothing
    }
    const std::string name = catalog->shipped(index) ? tr(details->name) : details->name;
    switch (catalog->fileNow(index)) {
    case LevelCatalog::FileNow::AsChecked:
        start(index);
        return;
    case LevelCatalog::FileNow::Gone:
        say(fill(tr("\"{1}\" is gone: {2} was deleted or moved"), {name, fileName}));
        relist();
        return;
    case LevelCatalog::FileNow::Changed:
        say(fill(tr("{1} changed since it was checked; it starts once it is found playable"), {fileName}));
        waitingFor = index;
        rows[row] = Row{};
        refreshRows();
        return;
    }
}

void LevelListScreen::update(float) {
    GameStateManager* game = GameStateManager::getInstance();
    if (game->window) {
        gui.setRelativeViewport(Letterbox::viewport(game->window->getSize()));
    }
    catalog->serve();
    // Copy: the list is the manager's, and a choice switches screens only after the loop.
    const std::vector<sf::Event> events = game->lastEvents;
    for (const sf::Event& event : events) {
        backChosen = backChosen || wantsBack(event);
        if (!turnsPage(event)) {
            gui.handleEvent(event);
        }
    }
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    backChosen = backChosen || pad.isPressed("BACK");
    turnPageByPad(pad);
    for (const ui::Gui::Move move : pad.menuMoves()) {
        gui.move(move);
    }
    if (backChosen) {
        game->setState(GameStateManager::kStartScreen);
        return;
    }
    refreshRows();
    if (chosen && *chosen < catalog->size()) {
        const std::size_t index = *chosen;
        chosen.reset();
        choose(index);
        if (game->currentState.get() != this) {
            return;
        }
    }
    chosen.reset();
    if (waitingFor && *waitingFor < catalog->size()) {
        if (const LevelCatalog::Details* details = catalog->lookUp(*waitingFor)) {
            const std::size_t index = *waitingFor;
            waitingFor.reset();
            if (details->playable()) {
                say("");
                start(index);
                return;
            }
            say(fill(tr("{1} cannot be played: {2}"), {catalog->fileName(index), details->problem}));
        }
    }
    fitTexts();
}

void LevelListScreen::draw(sf::RenderWindow& window) {
    if (camera) {
        camera->draw(window);
        background->draw(window);
    }
    sf::View picture(Letterbox::pictureArea());
    picture.setViewport(Letterbox::viewport(window.getSize()));
    window.setView(picture);
    window.draw(panel);
    gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
    gui.draw();
}

void LevelListScreen::handleInput(float) {}
