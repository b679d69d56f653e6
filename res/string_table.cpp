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
    {IDR_MAINFRAME, "Ovaline"},
    {IDS_FILE_READING, "Now File Reading"},
    {IDS_RECEIVING, "Now receiving, [ESC]is Stop"},
    {IDS_SENDING, "Now Sending"},
    {IDS_STOPPED, "Now Stoped"},
    {IDS_AUTO_FOCUSING, "Now Auto Focusing"},
    {ID_TRANSFER_RECEIVE, "Receive Image Data\nReceive"},
    {ID_TRANSFER_CAPTURE, "Store the live picture and save it into the folder\nCapture"},
    {ID_REMOTE, "Remote Control\nRemote"},
    {ID_FILE_OPEN_FOLDER, "Open Folder\nOpen"},
    {ID_SETUP, "Setup Connector & Baud Rate\nSetup"},
    {ID_FILE_SAVE_IMAGE, "Save Image Data\nSave"},
    {ID_FILE_REFRESH, "Read the folder again\nRefresh"},
    {AFX_IDS_APP_TITLE, "Ovaline"},
    {AFX_IDS_IDLEMESSAGE, "READY"},
    {ID_APP_ABOUT, "About Ovaline\nAbout"},
    {ID_APP_EXIT, "Program terminate\nExit"},
};

} // namespace

QString loadString(int id) {
    const auto found = std::find_if(std::begin(kStrings), std::end(kStrings),
                                    [id](const Entry &entry) { return entry.id == id; });
    return found == std::end(kStrings) ? QString()
                                       : QCoreApplication::translate("ovaline::res", found->text);
}

QString statusPrompt(int id) {
    return loadString(id).section(QLatin1Char('\n'), 0, 0);
}

QString toolTipPrompt(int id) {
    return loadString(id).section(QLatin1Char('\n'), 1, 1);
}

} // namespace ovaline::res
