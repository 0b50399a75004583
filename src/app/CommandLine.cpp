#include "app/CommandLine.hpp"

#include "app/BuildInfo.hpp"
#include "i18n/CommandLineWords.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionTable.hpp"
#include "input/KeyNames.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

std::string description() {
    return tr("Pellowick: a top-down sneaking game.\nSlip past the farm dogs, grab the formula "
              "inside the building and reach the goal.");
}

// Every action with its default key, from the game's own table, so the help never leaves one out.
std::string keysText() {
    std::string text = tr("Keys (the defaults):") + "\n";
    const auto line = [&text](std::string keys, const std::string& meaning) {
        // Padded by letters, not bytes, so translated key names keep the column.
        const auto letters = static_cast<std::size_t>(
            std::count_if(keys.begin(), keys.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        keys.append(std::max<std::size_t>(1, 20 - std::min<std::size_t>(letters, 19)), ' ');
        text += "  " + keys + meaning + "\n";
    };
    for (const ActionTable::Row& row : ActionTable::rows()) {
        if (!row.keys.empty()) {
            line(KeyNames::nameOf(row.keys.front()), tr(row.help));
        }
    }
    line(tr("Left mouse button"), tr("shoot every armed egg towards the pointer"));
    line("F11, Alt+Enter", tr("switch between the window and fullscreen"));
    text += tr("Keys can be changed on the Options screen of the menu.") + "\n";
    return text;
}

void describeOptions(CLI::App& app, LaunchOptions& options) {
    CommandLineWords::apply(app, std::string("Pellowick ") + buildinfo::kVersion);
    // Words the game does not know are said in its own words, after the parse.
    app.allow_extras();
    // A folder or a pipe is refused as an unplayable map, once the game looks at the file.
    // TRANSLATORS: FILE as in "--map FILE" just before it.
    app.add_option("--map", options.mapPath, tr("Play the Tiled map FILE instead of the game's own level"))
        ->type_name("FILE");
    auto* fullscreen = app.add_flag_callback(
        "--fullscreen", [&options] { options.fullscreen = true; }, tr("Start in fullscreen this time"));
    auto* window = app.add_flag_callback(
        "--window", [&options] { options.fullscreen = false; }, tr("Start in a window this time"));
    fullscreen->excludes(window);
    app.footer(keysText());
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

// What is wrong with the command line, in the player's language; "" when nothing is.
std::string problemAfterParse(const CLI::App& app, const LaunchOptions& options) {
    const std::vector<std::string> extras = app.remaining();
    if (!extras.empty()) {
        // TRANSLATORS: {1} is what was typed, as typed.
        return fill(trn("The following argument was not expected: {1}",
                        "The following arguments were not expected: {1}", extras.size()),
                    {joined(extras)});
    }
    std::error_code error;
    if (!options.mapPath.empty() && !std::filesystem::exists(options.mapPath, error)) {
        // TRANSLATORS: "--map" stays as it is; {1} is the file's name.
        return fill(tr("--map: Path does not exist: {1}"), {options.mapPath});
    }
    return "";
}

// CLI11's refusal, in the player's language where the game knows it.
std::string problemOf(const CLI::ParseError& error) {
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        // The only option that takes a value.
        // TRANSLATORS: "--map" stays as it is; FILE as in --help's "--map FILE".
        return tr("--map: 1 required FILE missing");
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error)) {
        // TRANSLATORS: the options stay as they are.
        return tr("--fullscreen excludes --window");
    }
    return error.what();
}

CommandLine::Result refused(const CLI::App& app, const std::string& problem, std::ostream& err) {
    err << "pellowick: " << problem << '\n' << CommandLineWords::usage(app, "pellowick");
    err.flush();
    CommandLine::Result result;
    result.exitStatus = CommandLine::kExitUsage;
    return result;
}
} // namespace

CommandLine::Result CommandLine::parse(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err) {
    CLI::App app(description(), "pellowick");
    Result result;
    describeOptions(app, result.options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        result.exitStatus = kExitFine;
        return result;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << std::endl;
        result.exitStatus = kExitFine;
        return result;
    } catch (const CLI::ParseError& error) {
        return refused(app, problemOf(error), err);
    }
    if (const std::string problem = problemAfterParse(app, result.options); !problem.empty()) {
        return refused(app, problem, err);
    }
    if (!result.options.mapPath.empty()) {
        // The game changes into its data folder before it loads the level.
        result.options.mapPath =
            std::filesystem::absolute(result.options.mapPath).lexically_normal().string();
    }
    return result;
}
