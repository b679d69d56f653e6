// SPDX-License-Identifier: MIT
#include "startup_options.h"

#include <QCommandLineParser>

#include <array>
#include <cstdio>
#include <string_view>

namespace ovaline::app {
namespace {

struct QtOption {
    std::string_view name;
    bool takesValue;
};

// The options QGuiApplication and QApplication take out of the command line.
constexpr std::array<QtOption, 20> kQtOptions{{
    {"-platform", true},        {"-platformpluginpath", true},
    {"-platformtheme", true},   {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true},
    {"-qwindowtitle", true},    {"-reverse", false},
    {"-session", true},         {"-style", true},
    {"-stylesheet", true},      {"-widgetcount", false},
    {"-display", true},         {"-geometry", true},
    {"-title", true},           {"-name", true},
    {"-visual", true},          {"-nograb", false},
    {"-dograb", false},         {"-qmljsdebugger", true},
}};

const QtOption *findQtOption(QString name) {
    // Qt accepts its options with one dash or two.
    if (name.startsWith(QStringLiteral("--")))
        name.remove(0, 1);
    for (const QtOption &option : kQtOptions)
        if (name == QLatin1String(option.name.data(), qsizetype(option.name.size())))
            return &option;
    return nullptr;
}

QStringList withoutQtOptions(const QStringList &arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        // A value comes after the option or, with "=", in the same argument.
        const qsizetype equals = arguments[i].indexOf(u'=');
        const QtOption *option = i > 0 ? findQtOption(arguments[i].left(equals)) : nullptr;
        if (!option)
            kept.append(arguments[i]);
        else if (option->takesValue && equals < 0)
            ++i;
    }
    return kept;
}

void print(std::FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

std::optional<int> readStartupOptions(const QStringList &arguments, StartupOptions &options) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Receives, views and saves the pictures of the document camera."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption virtualOption(
        QStringLiteral("virtual"), QStringLiteral("Use the virtual camera on all four ports."));
    const QCommandLineOption profileOption(QStringLiteral("profile"),
                                           QStringLiteral("Keep the settings in FILE."),
                                           QStringLiteral("FILE"));
    const QCommandLineOption noSplashOption(QStringLiteral("nosplash"),
                                            QStringLiteral("Start without the splash screen."));
    parser.addOptions({helpOption, versionOption, virtualOption, profileOption, noSplashOption});
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Show the pictures of FOLDER in the lower pane."),
                                 QStringLiteral("[FOLDER]"));

    const QString program = QStringLiteral("ovaline");
    if (!parser.parse(withoutQtOptions(arguments))) {
        print(stderr, program + QStringLiteral(": ") + parser.errorText() +
                          QStringLiteral("\nTry '") + program +
                          QStringLiteral(" --help' for more information.\n"));
        return 2;
    }
    if (parser.positionalArguments().size() > 1) {
        print(stderr, program + QStringLiteral(": unexpected argument '") +
                          parser.positionalArguments().at(1) +
                          QStringLiteral("' (name one folder at most)\n"));
        return 2;
    }
    if (parser.isSet(helpOption)) {
        // Without an application object Qt cannot know the program's name.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), program);
        print(stdout, text);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QLatin1String(kProgramName),
                                                    QLatin1String(kProgramVersion)));
        return 0;
    }
    options.virtualPorts = parser.isSet(virtualOption);
    options.profilePath = parser.value(profileOption);
    options.showSplash = !parser.isSet(noSplashOption);
    options.folder = parser.positionalArguments().value(0);
    return std::nullopt;
}

} // namespace ovaline::app
