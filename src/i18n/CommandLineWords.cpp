#include "i18n/CommandLineWords.hpp"

#include "i18n/Translator.hpp"

std::shared_ptr<CLI::Formatter> CommandLineWords::formatter() {
    auto formatter = std::make_shared<CLI::Formatter>();
    // TRANSLATORS: the first word of the usage line, "Usage: pellowick [OPTIONS]".
    formatter->label("Usage", tr("Usage"));
    // TRANSLATORS: the usage line's stand-in for the options, in capitals: "Usage: pellowick [OPTIONS]".
    formatter->label("OPTIONS", tr("OPTIONS"));
    // TRANSLATORS: the heading of the map checker's list of arguments that are not options.
    formatter->label("Positionals", tr("Positionals"));
    // TRANSLATORS: --help says which option cannot go with which: "--window Excludes: --fullscreen".
    formatter->label("Excludes", tr("Excludes"));
    // TRANSLATORS: --help's stand-in for a file name, in capitals: "--map FILE".
    formatter->label("FILE", tr("FILE"));
    return formatter;
}

void CommandLineWords::apply(CLI::App& app, const std::string& versionText) {
    app.formatter(formatter());
    // TRANSLATORS: the heading of --help's list of options.
    app.option_defaults()->group(tr("Options"));
    app.set_help_flag("-h,--help", tr("Print this help message and exit"));
    app.set_version_flag("--version", versionText, tr("Display program version information and exit"));
}

std::string CommandLineWords::usage(const CLI::App& app, const std::string& name) {
    return formatter()->make_usage(&app, name);
}
