// The object names of the windows and of the widgets found by name.
#pragma once

namespace lumo {

// The names the tests, the command line's print verbs and the accessibility checks
// look widgets up by. They stay as they have always been: the settings window's
// buttons and progress line carry the names its layout gives the same controls, and
// whatever already finds a widget by name keeps finding it. The code itself calls each
// widget by its role.

// The windows.
inline constexpr const char* kMainWindowName = "TForm1";
inline constexpr const char* kChannelWindowName = "TForm2";
inline constexpr const char* kSettingsWindowName = "FormDune";
inline constexpr const char* kSplashWindowName = "TSplashForm";

// The frame both child windows share: the title strip, the progress line and the buttons.
inline constexpr const char* kChannelTitleStripName = "Panel2";
inline constexpr const char* kSettingsTitleStripName = "Panel8";
inline constexpr const char* kStripLeftName = "Image4";
inline constexpr const char* kDragAreaName = "Image3";
inline constexpr const char* kClosePictureName = "Image5";
inline constexpr const char* kTitleLabelName = "Label31";
inline constexpr const char* kChannelProgressLabelName = "Label1";
inline constexpr const char* kSettingsProgressLabelName = "Label21";
inline constexpr const char* kProgressBarName = "ProgressBar1";
inline constexpr const char* kReadButtonName = "Button1";
inline constexpr const char* kWriteButtonName = "Button2";
inline constexpr const char* kResetButtonName = "Button3";  // New, or Default for the settings
inline constexpr const char* kSaveButtonName = "Button4";
inline constexpr const char* kOpenButtonName = "Button5";
inline constexpr const char* kCloseButtonName = "Button6";

// The channel window's body.
inline constexpr const char* kGridPanelName = "Panel1";
inline constexpr const char* kGridName = "StringGrid1";
inline constexpr const char* kOptionBoxName = "ComboBox1";
inline constexpr const char* kRowMenuName = "PopupMenu1";

// The main window's tool bar; a tool's name is the prefix followed by its number.
inline constexpr const char* kToolBarName = "ToolBar1";
inline constexpr const char* kToolButtonNamePrefix = "ToolButton";

}  // namespace lumo
