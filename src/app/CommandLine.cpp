#include "app/CommandLine.hpp"

#include "app/BuildInfo.hpp"
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
    app.set_version_flag("--version", std::string("Pellowick ") + buildinfo::kVersion);
    app.add_option("--map", options.mapPath, tr("Play the Tiled map FILE instead of the game's own level"))
        // A folder or a pipe is refused as an unplayable map, once the game looks at the file.
        ->check(CLI::ExistingPath.description(""))
        ->type_name("FILE");
    auto* fullscreen = app.add_flag_callback(
        "--fullscreen", [&options] { options.fullscreen = true; }, tr("Start in fullscreen this time"));
    auto* window = app.add_flag_callback(
        "--window", [&options] { options.fullscreen = false; }, tr("Start in a window this time"));
    fullscreen->excludes(window);
    app.footer(keysText());
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
        err << "pellowick: " << error.what() << '\n' << CLI::Formatter().make_usage(&app, "pellowick");
        err.flush();
        result.exitStatus = kExitUsage;
        return result;
    }
    if (!result.options.mapPath.empty()) {
        // The game changes into its data folder before it loads the level.
        result.options.mapPath =
            std::filesystem::absolute(result.options.mapPath).lexically_normal().string();
    }
    return result;
}
