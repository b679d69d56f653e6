// SPDX-License-Identifier: MIT
// The program's texts, and Qt's own (the buttons of a message box), in the
// language the user asked for; the command-line client chooses the same.
#pragma once

#include <QTranslator>

#include <memory>
#include <vector>

namespace ovaline::app {

class UiTranslations {
public:
    // Installs the translations of messageLanguage() into the application
    // object; English, the language of the texts, needs none. Qt's own are
    // taken from Qt's translations folder where they are installed.
    UiTranslations();
    // Removes them again.
    ~UiTranslations();
    UiTranslations(const UiTranslations &) = delete;
    UiTranslations &operator=(const UiTranslations &) = delete;

    // Whether the program's own translation was loaded.
    bool translated() const { return !m_installed.empty(); }

private:
    void install(const QString &name, const QString &folder);

    std::vector<std::unique_ptr<QTranslator>> m_installed;
};

} // namespace ovaline::app
