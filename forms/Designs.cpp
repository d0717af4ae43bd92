#include "forms/Designs.h"

namespace dravelo::forms {

using platform::BorderStyle;
using platform::Color;
using platform::ControlClass;
using platform::ControlDesign;
using platform::FontSpec;
using platform::FormDesign;
using platform::SystemColor;
using platform::WindowState;

namespace {

const Color kWhite = Color::rgb(255, 255, 255);
const Color kBlack = Color::rgb(0, 0, 0);
const Color kCream = Color::rgb(255, 255, 192);
const Color kAboutGreen = Color::rgb(128, 255, 128);
const Color kCoverCyan = Color::rgb(128, 255, 255);

const FontSpec kSmall{8.25, false};
const FontSpec kSmallBold{8.25, true};
const FontSpec kButton{12, false};

ControlDesign control(ControlClass cls, const char* name, const char* caption, float left, float top,
                      float width, float height, int tabIndex)
{
    ControlDesign c;
    c.cls = cls;
    c.name = name;
    c.caption = caption;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.tabIndex = tabIndex;
    return c;
}

ControlDesign whiteButton(const char* name, const char* caption, float left, float top, float width,
                          float height, FontSpec font, int tabIndex)
{
    ControlDesign c = control(ControlClass::CommandButton, name, caption, left, top, width, height, tabIndex);
    c.font = font;
    c.graphical = true;
    c.background = kWhite;
    return c;
}

ControlDesign fittedLabel(const char* name, const char* caption, float left, float top, float width,
                          float height, int tabIndex)
{
    ControlDesign c = control(ControlClass::Label, name, caption, left, top, width, height, tabIndex);
    c.font = kSmall;
    c.autoSize = true;
    return c;
}

ControlDesign textBox(const char* name, float left, float top, int tabIndex, const char* label)
{
    ControlDesign c = control(ControlClass::TextBox, name, "", left, top, 1095, 285, tabIndex);
    c.font = kSmall;
    c.labelledBy = label;
    return c;
}

ControlDesign line(const char* name, int index, float x1, float y1, float x2, float y2)
{
    ControlDesign c = control(ControlClass::Line, name, "", x1, y1, x2, y2, -1);
    c.index = index;
    return c;
}

// The cover and the calculation window share their frame: sizable, shown
// maximized, with the same client area at design.
FormDesign maximizedWindow(const char* name, const char* caption)
{
    FormDesign f;
    f.name = name;
    f.caption = caption;
    f.state = WindowState::Maximized;
    f.border = BorderStyle::Sizable;
    f.clientLeft = 60;
    f.clientTop = 345;
    f.clientWidth = 4680;
    f.clientHeight = 3195;
    return f;
}

} // namespace

FormDesign form1Design()
{
    FormDesign f = maximizedWindow(kForm1, "Zerut");
    f.background = kCoverCyan;
    f.font = {12, true};

    ControlDesign info = whiteButton(form1::kCommand1, "&Info", 5280, 5640, 1095, 615, {9.75, true}, 6);
    info.isCancel = true; // Esc on the cover opens the About box
    ControlDesign exit = whiteButton(form1::kCmdExit, "&ESCI", 7920, 5640, 1095, 615, kSmallBold, 1);
    ControlDesign cont = whiteButton(form1::kCmdCont, "&Continua", 6600, 5640, 1095, 615, {9.75, true}, 0);

    ControlDesign image = control(ControlClass::Image, form1::kImage1, "", 1680, 600, 6255, 1365, -1);
    image.picture = ":/assets/copertina.bmp";
    image.flatBorder = true;

    ControlDesign rights = fittedLabel(form1::kLabel6, "\u00A9 Progetto Dravelo - Tutti i diritti riservati - 2026",
                                       360, 5760, 2535, 195, 5);
    rights.font = kSmallBold;
    rights.background = Color::system(SystemColor::HighlightText);

    ControlDesign hidden = control(ControlClass::Label, form1::kLabel5, "Label5", 360, 6360, 15, 135, 4);
    hidden.font = kSmall;

    ControlDesign credit = control(ControlClass::Label, form1::kLabel4, " di Progetto Dravelo ", 3480, 3840, 2340, 360, 3);
    credit.background = kCream;
    credit.singleBorder = true;
    credit.autoSize = true;

    ControlDesign title = control(ControlClass::Label, form1::kLabel3, " CALCOLO DEL POTERE CALORIFICO DEI COMBUSTIBILI ",
                                  480, 2640, 8400, 420, 2);
    title.font = FontSpec{13.5, true};
    title.background = kCream;
    title.singleBorder = true;
    title.autoSize = true;

    f.controls = {info, exit, cont, image, rights, hidden, credit, title};
    return f;
}

FormDesign form2Design()
{
    FormDesign f = maximizedWindow(kForm2, "Folim");
    f.background = Color::system(SystemColor::InactiveCaptionText);
    f.foreground = kBlack;

    ControlDesign text5 = textBox(form2::kText5, 7440, 1860, 14, form2::kLabel3);
    text5.foreground = kBlack;
    ControlDesign text4 = textBox(form2::kText4, 3120, 1860, 13, form2::kLabel7);
    ControlDesign print = control(ControlClass::CommandButton, form2::kCommand3, "Stam&pa", 4680, 5640, 1215, 615, 11);
    print.font = kButton;
    ControlDesign save = control(ControlClass::CommandButton, form2::kCommand5, "&Salva", 6240, 5640, 1215, 615, 10);
    save.font = kButton;
    ControlDesign exit = control(ControlClass::CommandButton, form2::kCommand1, "&ESCI", 7800, 5640, 1215, 615, 8);
    exit.font = kButton;
    ControlDesign text9 = textBox(form2::kText9, 3120, 3300, 4, form2::kLabel9);
    text9.foreground = Color::rgb(255, 0, 0);
    ControlDesign text6 = textBox(form2::kText6, 3120, 2340, 3, form2::kLabel5);
    text6.foreground = kBlack;
    ControlDesign calc = control(ControlClass::CommandButton, form2::kCommand4, "&Calcola", 7320, 2400, 1215, 330, 5);
    calc.font = kButton;
    ControlDesign text3 = textBox(form2::kText3, 7440, 1380, 2, form2::kLabel6);
    ControlDesign text2 = textBox(form2::kText2, 3120, 1380, 1, form2::kLabel12);
    ControlDesign text1 = textBox(form2::kText1, 3120, 900, 0, form2::kLabel4);

    ControlDesign hint = fittedLabel(form2::kLabel2, " Clickare su Calcola  ", 4560, 2400, 1545, 255, 12);
    hint.background = kWhite;
    hint.foreground = Color::rgb(0, 0, 255);
    hint.singleBorder = true;

    ControlDesign rule = line(form2::kLine1, -1, 0, 3000, 9120, 3000);
    rule.foreground = Color::system(SystemColor::WindowText);

    ControlDesign comma = fittedLabel(form2::kLabel24, " Usare la virgola per i decimali ", 5160, 960, 2205, 255, 7);
    comma.background = kWhite;
    comma.foreground = Color::rgb(0, 0, 192);
    comma.singleBorder = true;

    ControlDesign heading = fittedLabel(form2::kLabel1, "CALCOLO DEL POTERE CALORIFICO DEI COMBUSTIBILI", 360, 240, 4980, 195, 6);
    heading.font = kSmallBold;

    f.controls = {
        text5, text4, print, save, exit, text9, text6, calc, text3, text2, text1,
        fittedLabel(form2::kLabel5, "Zolfo [ % in peso]", 360, 2400, 1215, 195, 20),
        fittedLabel(form2::kLabel3, "Cloro [ % in peso]", 4560, 1920, 1215, 195, 19),
        fittedLabel(form2::kLabel7, "Ossigeno [ % in peso]", 360, 1920, 1515, 195, 18),
        fittedLabel(form2::kLabel6, "Idrogeno [ % in peso]", 4560, 1440, 1485, 195, 17),
        fittedLabel(form2::kLabel9, "Potere calorifico inferiore [kcal/kg]", 360, 3360, 2430, 195, 16),
        fittedLabel(form2::kLabel4, "Nome combustibile", 360, 960, 1335, 195, 15),
        hint, rule,
        fittedLabel(form2::kLabel12, "Carbonio [ % in peso]", 360, 1440, 1485, 195, 9),
        comma, heading,
    };
    return f;
}

FormDesign frmAboutDesign()
{
    FormDesign f;
    f.name = kFrmAbout;
    f.caption = "Informazioni su Dravelo";
    f.state = WindowState::Normal;
    f.border = BorderStyle::FixedDialog;
    f.placedByDesign = true;
    f.clientLeft = 2340;
    f.clientTop = 1935;
    f.clientWidth = 5730;
    f.clientHeight = 3555;
    f.background = kAboutGreen;
    f.scaleWidth = 5380.766f;
    f.scaleHeight = 2453.724f;

    ControlDesign icon = control(ControlClass::PictureBox, frm_about::kPicIcon, "", 240, 240, 540, 540, 1);
    icon.picture = ":/assets/icona.ico";
    icon.background = kCoverCyan;
    icon.autoSize = true;
    icon.sunkenBorder = true;

    ControlDesign ok = whiteButton(frm_about::kCmdOK, "OK", 4245, 2625, 1260, 345, kSmall, 0);
    ok.isDefault = true;
    ok.isCancel = true;
    ControlDesign sysInfo = whiteButton(frm_about::kCmdSysInfo, "&System Info...", 4260, 3075, 1245, 345, kSmall, 2);

    ControlDesign contact = control(ControlClass::Label, frm_about::kLabel1,
                                    "Progetto Dravelo - Casella postale 1, 00100 Roma - "
                                    "Tel. 000 0000000 - Fax 000 0000001 - dravelo@example.org",
                                    240, 2640, 3855, 735, 6);
    contact.font = kSmall;
    contact.background = kAboutGreen;
    contact.wordWrap = true;

    ControlDesign grey = line(frm_about::kLine1, 1, 90, 2445, 5654, 2445);
    grey.foreground = Color::rgb(128, 128, 128);
    grey.insideSolid = true;

    auto greenLabel = [&](const char* name, const char* caption, float left, float top, float width, float height,
                          int tabIndex) {
        ControlDesign c = control(ControlClass::Label, name, caption, left, top, width, height, tabIndex);
        c.font = kSmall;
        c.background = kAboutGreen;
        c.foreground = kBlack;
        c.wordWrap = true;
        return c;
    };

    ControlDesign white = line(frm_about::kLine1, 0, 105, 2460, 5654, 2460);
    white.foreground = kWhite;
    white.lineWidth = 2;

    ControlDesign version = greenLabel(frm_about::kLblVersion, "Versione 1.0", 1050, 840, 3885, 225, 5);
    version.foreground.reset();

    f.controls = {
        icon, ok, sysInfo, contact, grey,
        greenLabel(frm_about::kLblDescription, "Calcolo del potere calorifico dei combustibili ", 1050, 1200, 3885, 1170, 3),
        greenLabel(frm_about::kLblTitle, "CALCOLO DEL POTERE CALORIFICO DEI COMBUSTIBILI", 1050, 120, 3645, 600, 4),
        white, version,
    };
    return f;
}

std::vector<platform::FormDesign> allDesigns()
{
    return {form1Design(), form2Design(), frmAboutDesign()};
}

} // namespace dravelo::forms
