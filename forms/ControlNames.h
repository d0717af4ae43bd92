#pragma once
// The names of the windows and of the controls the program addresses, as
// the designs give them. Every other folder refers to a window or control
// through these.

namespace dravelo::forms {

inline constexpr const char* kForm1 = "Form1";
inline constexpr const char* kForm2 = "Form2";
inline constexpr const char* kFrmAbout = "frmAbout";

// The cover window.
namespace form1 {
inline constexpr const char* kCmdCont = "cmdCont";   // "&Continua"
inline constexpr const char* kCommand1 = "Command1"; // "&Info"
inline constexpr const char* kCmdExit = "cmdExit";   // "&ESCI"
inline constexpr const char* kImage1 = "Image1";
inline constexpr const char* kLabel3 = "Label3";
inline constexpr const char* kLabel4 = "Label4";
inline constexpr const char* kLabel5 = "Label5";
inline constexpr const char* kLabel6 = "Label6";
} // namespace form1

// The calculation window.
namespace form2 {
inline constexpr const char* kText1 = "Text1"; // fuel name
inline constexpr const char* kText2 = "Text2"; // carbon
inline constexpr const char* kText3 = "Text3"; // hydrogen
inline constexpr const char* kText4 = "Text4"; // oxygen
inline constexpr const char* kText5 = "Text5"; // chlorine
inline constexpr const char* kText6 = "Text6"; // sulphur
inline constexpr const char* kText9 = "Text9"; // lower heating value
inline constexpr const char* kCommand1 = "Command1"; // "&ESCI"
inline constexpr const char* kCommand3 = "Command3"; // "Stam&pa"
inline constexpr const char* kCommand4 = "Command4"; // "&Calcola"
inline constexpr const char* kCommand5 = "Command5"; // "&Salva"
inline constexpr const char* kLabel1 = "Label1";
inline constexpr const char* kLabel2 = "Label2";
inline constexpr const char* kLabel3 = "Label3";
inline constexpr const char* kLabel4 = "Label4";
inline constexpr const char* kLabel5 = "Label5";
inline constexpr const char* kLabel6 = "Label6";
inline constexpr const char* kLabel7 = "Label7";
inline constexpr const char* kLabel9 = "Label9";
inline constexpr const char* kLabel12 = "Label12";
inline constexpr const char* kLabel24 = "Label24";
inline constexpr const char* kLine1 = "Line1";
} // namespace form2

// The About box.
namespace frm_about {
inline constexpr const char* kPicIcon = "picIcon";
inline constexpr const char* kCmdOK = "cmdOK";
inline constexpr const char* kCmdSysInfo = "cmdSysInfo";
inline constexpr const char* kLabel1 = "Label1";
inline constexpr const char* kLine1 = "Line1";
inline constexpr const char* kLblDescription = "lblDescription";
inline constexpr const char* kLblTitle = "lblTitle";
inline constexpr const char* kLblVersion = "lblVersion";
} // namespace frm_about

} // namespace dravelo::forms
