// SPDX-License-Identifier: MIT
#include "string_table.h"

#include "resource_ids.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace ovaline::res {
namespace {

struct Entry {
    int id;
    const char *text;
};

constexpr Entry kStrings[] = {
    {IDR_MAINFRAME, QT_TRANSLATE_NOOP("StringTable", "Ovaline")},
    {IDS_FILE_READING, QT_TRANSLATE_NOOP("StringTable", "Now File Reading")},
    {IDS_RECEIVING, QT_TRANSLATE_NOOP("StringTable", "Now receiving, [ESC]is Stop")},
    {IDS_SENDING, QT_TRANSLATE_NOOP("StringTable", "Now Sending")},
    {IDS_STOPPED, QT_TRANSLATE_NOOP("StringTable", "Now Stoped")},
    {IDS_AUTO_FOCUSING, QT_TRANSLATE_NOOP("StringTable", "Now Auto Focusing")},
    {ID_TRANSFER_RECEIVE, QT_TRANSLATE_NOOP("StringTable", "Receive Image Data\nReceive")},
    {ID_TRANSFER_CAPTURE,
     QT_TRANSLATE_NOOP("StringTable",
                       "Store the live picture and save it into the folder\nCapture")},
    {ID_REMOTE, QT_TRANSLATE_NOOP("StringTable", "Remote Control\nRemote")},
    {ID_FILE_OPEN_FOLDER, QT_TRANSLATE_NOOP("StringTable", "Open Folder\nOpen")},
    {ID_SETUP, QT_TRANSLATE_NOOP("StringTable", "Setup Connector & Baud Rate\nSetup")},
    {ID_FILE_SAVE_IMAGE, QT_TRANSLATE_NOOP("StringTable", "Save Image Data\nSave")},
    {ID_FILE_REFRESH, QT_TRANSLATE_NOOP("StringTable", "Read the folder again\nRefresh")},
    {AFX_IDS_APP_TITLE, QT_TRANSLATE_NOOP("StringTable", "Ovaline")},
    {AFX_IDS_IDLEMESSAGE, QT_TRANSLATE_NOOP("StringTable", "READY")},
    {ID_APP_ABOUT, QT_TRANSLATE_NOOP("StringTable", "About Ovaline\nAbout")},
    {ID_APP_EXIT, QT_TRANSLATE_NOOP("StringTable", "Program terminate\nExit")},
};

} // namespace

QString loadString(int id) {
    const auto found = std::find_if(std::begin(kStrings), std::end(kStrings),
                                    [id](const Entry &entry) { return entry.id == id; });
    return found == std::end(kStrings) ? QString()
                                       : QCoreApplication::translate("StringTable", found->text);
}

QString statusPrompt(int id) {
    return loadString(id).section(QLatin1Char('\n'), 0, 0);
}

QString toolTipPrompt(int id) {
    return loadString(id).section(QLatin1Char('\n'), 1, 1);
}

} // namespace ovaline::res
