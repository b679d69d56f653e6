// SPDX-License-Identifier: MIT
// Ids of the program's commands and strings. A command's prompt is the
// string of the same id.
#pragma once

namespace ovaline::res {

enum CommandId {
    ID_TRANSFER_RECEIVE = 32772,
    ID_REMOTE = 32776,
    ID_FILE_OPEN_FOLDER = 32777,
    ID_SETUP = 32779,
    ID_FILE_SAVE_IMAGE = 32780,
    ID_FILE_REFRESH = 32781,
    ID_TRANSFER_CAPTURE = 32782,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
};

enum StringId {
    IDR_MAINFRAME = 128,
    IDS_FILE_READING = 129,
    IDS_RECEIVING = 130,
    IDS_SENDING = 131,
    IDS_STOPPED = 132,
    IDS_AUTO_FOCUSING = 133,
    AFX_IDS_APP_TITLE = 57344,
    AFX_IDS_IDLEMESSAGE = 57345,
};

} // namespace ovaline::res
