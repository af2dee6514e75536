#pragma once

#include <array>
#include <string>

namespace lumo {

// Every text the program's code puts on screen. One instance is filled with these
// texts at start-up; only the model-name entry, the third detection text and
// TitleText are ever rewritten (by the session set-up and the picture loader).
struct LanguageStrings {
    // Messages.
    std::string reciveComplete = "Recive data complete!";
    std::string translateComplete = "Translate data complete!";
    std::string deviceUnconnect =
        "Device unconnect or device on booting,please wait a minute,then try again!";
    std::string badFileType = "Bad read in file type!";
    std::string information = "Information";
    std::string openPortFailed = "Open port faild!";
    std::string deviceNoConnectTryAgain = "Device no connect,Try again?";
    std::string deviceNoConnectConnectNow = "Device no connect,connect now?";
    std::string dataCrcFailed = "Data Crc Faild,";

    // Captions of the child windows' buttons and labels.
    std::string button1Read = "Read";
    std::string button2Write = "Write";
    std::string button3New = "New";
    std::string button4Save = "Save";
    std::string button5Open = "Open";
    std::string button6Close = "Close";
    std::string progress = "Progress";
    std::string button3Default = "Default";

    // Main menu captions.
    std::string fileMenu = "&File";
    std::string newEntry = "New(&N)";
    std::string openEntry = "Open(&O)";
    std::string saveEntry = "Save(&W)";
    std::string saveAsEntry = "Save as(&S)";
    std::string printEntry = "Print...(&P)";
    std::string exitEntry = "Exit(&X)";
    std::string editMenu = "&Edit";
    std::string connectEntry = "Connect(&C)";
    std::string disconnectEntry = "Disconnect(&D)";
    std::string channelEntry = "Channel(&C)";
    std::string paramEntry = "Param(&O)";
    std::string portMenu = "Port";
    std::string helpMenu = "&Help";
    std::string helpEntry = "Help(&H)";
    std::string aboutEntry = "About(&A)";

    // Model names, indexed by ModelIndex - 1.
    std::array<std::string, 8> ModeNames{"Tarn", "Tarn", "Tarn", "Tarn",
                                         "Tarn", "Tarn", "Tarn", "Tarn"};

    // Detection texts.
    std::array<std::string, 4> DetectMessages{
        "Device Tarn been detect!", "Device Tarn been detect!", "Device Tarn been detect!",
        "Device Tarn been detect!"};

    std::string detectPrefix = "Device ";
    std::string detectSuffix = " been detect!";
    std::string TitleText = "Corvane lumo digital control!";
    std::string errorPortOperateOut = "Error port operate out!";

    // Channel grid column titles, in column order, surrounding blanks included.
    std::array<std::string, 13> columnTitles{
        " Channel ",   " RX Frequency(MHZ) ", " TX Frequency(MHZ) ", " CTCSS/DCS Dec ",
        " CTCSS/DCS Enc ", " TX Power ",      "   W/N   ",            " Busy Lock ",
        " OptSingal ", " SPUnmute ",          " Without ",            " ScanningAdd ",
        " CH-Name "};

    std::string loading = "Loading ";
    std::string channelConfig = " Channel config";
    std::string wordOn = "On";
    std::string wordOff = "Off";
    std::string wordHigh = "High";
    std::string wordLow = "Low";
    std::string word25K = "25K";
    std::string word12_5K = "12.5K";
    std::string connectState = "Connect state:";
    std::string modePrefix = "Mode: ";
    std::string disconnect = "disconnect";
    std::string connect = "connect";
    std::string unknow = "unknow";
    std::string connectCrcFailed = "Connect Crc faild code:";
    std::string overflow = "Overflow,auto change to connect value!";
    std::string paramConfig = " Param config";
};

// The texts as they stand at program start, for code that needs a text that is never
// rewritten (messages, captions) and has no session at hand.
const LanguageStrings& defaultStrings();

}  // namespace lumo
