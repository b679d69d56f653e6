// SPDX-License-Identifier: MIT
#include "ui_translations.h"

#include "message_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace ovaline::app {

UiTranslations::UiTranslations() {
    const QString language = QString::fromStdString(i18n::messageLanguage());
    if (language.isEmpty())
        return;
    install(QStringLiteral("ovaline_") + language, QStringLiteral(":/i18n"));
    if (translated())
        install(QStringLiteral("qtbase_") + language,
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

UiTranslations::~UiTranslations() {
    for (const auto &translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
}

void UiTranslations::install(const QString &name, const QString &folder) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
        m_installed.push_back(std::move(translator));
}

} // namespace ovaline::app
