// SPDX-License-Identifier: MIT
// The command table, the model replies and the failure text.
#include "command_link.h"

#include <gtest/gtest.h>

namespace ovaline::app {
namespace {

TEST(CommandTable, CodesNameTheirLettersAndGapsNameNone) {
    EXPECT_STREQ(commandLetters(0), "AF");
    EXPECT_STREQ(commandLetters(8), "PO");
    EXPECT_STREQ(commandLetters(11), "CE");
    EXPECT_STREQ(commandLetters(13), "FZ");
    EXPECT_STREQ(commandLetters(14), "LL");
    EXPECT_STREQ(commandLetters(16), "QS");
    EXPECT_STREQ(commandLetters(17), "QR");
    for (int code : {-1, 12, 15, 18, 1000})
        EXPECT_EQ(commandLetters(code), nullptr) << code;
    EXPECT_EQ(replyLength(17), 6u);
    EXPECT_EQ(replyLength(16), 8u);
}

TEST(ModelReply, TheFourUnitsAreKnownByTheirFirstFourLetters) {
    struct Case {
        const char *reply;
        int model;
        int unitN;
    };
    for (const Case &c :
         {Case{"VIKN01", 1, 1}, Case{"VIKP01", 1, 0}, Case{"VIHN01", 2, 1}, Case{"VIHP", 2, 0}}) {
        const auto unit = classifyModelReply(c.reply);
        ASSERT_TRUE(unit) << c.reply;
        EXPECT_EQ(unit->model, c.model) << c.reply;
        EXPECT_EQ(unit->unitN, c.unitN) << c.reply;
    }
}

TEST(ModelReply, AnythingElseIsNoKnownUnit) {
    for (const char *reply : {"VIXN01", "vihn01", "VIH", "", "XVIHN0"})
        EXPECT_FALSE(classifyModelReply(reply)) << reply;
}

TEST(FailureText, NamesTheCodeAndItsTextOnIndentedLines) {
    EXPECT_EQ(commandFailureText(104),
              "DLL failed sending or receiving data\n  DLL ERROR CODE : 104\n  (Received NAK)");
    EXPECT_EQ(commandFailureText(7),
              "DLL failed sending or receiving data\n  DLL ERROR CODE : 7\n  (Unknown error)");
}

} // namespace
} // namespace ovaline::app
