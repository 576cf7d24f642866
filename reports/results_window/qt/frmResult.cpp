#include "reports/results_window/qt/frmResult.h"

#include "common/ResourceTexts.h"
#include "common/qt/LoadResstrings.h"
#include "common/qt/PlainLabel.h"
#include "common/qt/ProgramPicture.h"
#include "common/qt/WindowFonts.h"
#include "engine/DisplayUnits.h"
#include "engine/FormatPatterns.h"
#include "platform/qt/Twips.h"
#include "reports/limits_window/qt/frmLimits.h"
#include "reports/protocol/ShownResults.h"
#include "tracing/Guard.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include <cstring>
#include <optional>
#include <string>

namespace morvane {

namespace {

// Design in twips.
constexpr int ClientWidth = 8880;
constexpr int ClientHeight = 8700;

constexpr const char* CaptionTag = "1279";  // "morvane Ergebnisse" / "morvane results"
constexpr std::int32_t NotApplicable = 1240;  // "n.a."
constexpr std::int32_t PrinterDialogTitle = 1984;  // "Drucken" / "Print"

// A label of the design: name, place and size in twips, design caption and the
// text id its tag holds (nullptr: no tag).
struct LabelDesign {
    const char* name;
    int left, top, width, height;
    const char* text;
    const char* tag;
};

constexpr int H = 255;  // one line

// "Medium" / "Fluid". The operating density's value label (Label9) ends where
// its unit "kg/m³" begins: a number as wide as the label would run under it.
// The model's text (Label7) has the width of the pipe shape's beside the
// element frame's captions: "inkompressible Flüssigkeit" does not fit one
// line of less, and its second line would stand over the next row.
const LabelDesign kFrame1[] = {
    {"Label2", 120, 240, 2175, H, "Label2", "1236"},
    {"Label6", 2400, 240, 1695, H, "Label6", nullptr},
    {"Label15", 4560, 240, 2175, H, "Label15", "1242"},
    {"Label16", 6840, 240, 1215, H, "Label16", nullptr},
    {"Label17", 8160, 240, 375, H, "cP", "cP"},  // a tag that is no number keeps "cP"
    {"Label3", 120, 480, 2175, H, "Label3", "1237"},
    {"Label7", 2400, 480, 2055, H, "Label7", nullptr},
    {"Label18", 4560, 480, 2175, H, "Label18", "1243"},
    {"Label19", 6840, 480, 1215, H, "Label19", nullptr},
    {"Label20", 8160, 480, 375, H, "-", nullptr},
    {"Label4", 120, 720, 2175, H, "Label4", "1238"},
    {"Label8", 2400, 720, 1095, H, "Label8", nullptr},
    {"Label10", 3600, 720, 615, H, "kg/Nm³", nullptr},
    {"Label21", 4560, 720, 2175, H, "Label21", "1244"},
    {"Label23", 6840, 720, 1215, H, "Label23", nullptr},
    {"Label25", 8160, 720, 375, H, "°C", nullptr},
    {"Label5", 120, 960, 2175, H, "Label5", "1239"},
    {"Label9", 2400, 960, 1200, H, "Label9", nullptr},
    {"Label11", 3600, 960, 735, H, "kg/m³", nullptr},
    {"Label22", 4560, 960, 2295, H, "Label22", "1245"},
    {"Label24", 6840, 960, 1215, H, "Label24", nullptr},
    {"Label26", 8160, 960, 375, H, "kPa", nullptr},
    {"Label12", 120, 1200, 2175, H, "Label12", "1231"},
    {"Label13", 2400, 1200, 1215, H, "Label13", nullptr},
    {"Label14", 3600, 1200, 375, H, "-", nullptr},
};

// "dp-Element" / "dp-element". The element type's name runs across the
// frame on its row (a classical venturi tube's does not fit the left half),
// so the product key stands two rows lower, in rows the hidden ones leave
// free.
const LabelDesign kFrame2[] = {
    {"Label27", 120, 240, 2175, H, "Label27", "1058"},
    {"Label28", 2400, 240, 5955, H, "Label28", nullptr},
    {"Label29", 120, 480, 2175, H, "Label29", "1247"},
    {"Label30", 2400, 480, 2055, H, "Label30", nullptr},
    {"Label31", 120, 720, 2295, H, "Label31", "1250"},
    {"Label32", 2400, 720, 1095, H, "Label32", nullptr},
    {"Label33", 3600, 720, 735, H, "mm", nullptr},
    {"Label34", 120, 960, 2295, H, "Label34", nullptr},
    {"Label35", 2400, 960, 1215, H, "Label35", nullptr},
    {"Label36", 3600, 960, 375, H, "mm", nullptr},
    {"Label37", 120, 1200, 2175, H, "Label37", "1253"},
    {"Label39", 2400, 1200, 1095, H, "Label39", nullptr},
    {"Label41", 3600, 1200, 375, H, "-", nullptr},
    {"Label38", 120, 1440, 2175, H, "Label38", "1254"},
    {"Label40", 2400, 1440, 1095, H, "Label40", nullptr},
    {"Label42", 3600, 1440, 375, H, "-", nullptr},
    {"Label46", 120, 1680, 2295, H, "Label46", "1256"},
    {"Label47", 2400, 1680, 1215, H, "Label47", nullptr},
    {"Label48", 3600, 1680, 375, H, "mm", nullptr},
    {"Label43", 120, 1920, 2175, H, "Label43", "1255"},
    {"Label44", 2400, 1920, 1215, H, "Label44", nullptr},
    {"Label45", 3600, 1920, 375, H, "-", nullptr},
    {"Label108", 120, 2160, 2175, H, "Label108", "1373"},
    {"Label109", 2400, 2160, 1455, H, "Label109", nullptr},
    {"Label112", 120, 2400, 2175, H, "Label112", nullptr},
    {"Label113", 2400, 2400, 1095, H, "Label113", nullptr},
    {"Label114", 3600, 2400, 495, H, "Hz", nullptr},
    {"Label117", 120, 2640, 2175, H, "Label117", nullptr},
    {"Label118", 2400, 2640, 1095, H, "Label118", nullptr},
    {"Label119", 3600, 2640, 375, H, "Hz", nullptr},
    {"Label120", 120, 2880, 2175, H, "Label120", nullptr},
    {"Label121", 2400, 2880, 1095, H, "Label121", nullptr},
    {"Label122", 3600, 2880, 495, H, "mm", nullptr},
    {"Label49", 4560, 720, 2295, H, "Label49", "1257"},
    {"Label110", 4560, 960, 3795, 495, "Product Key", nullptr},
    {"Label59", 4560, 1680, 2175, H, "Label59", "1264"},
    {"Label62", 6840, 1680, 1695, H, "Label62", nullptr},
    {"Label60", 4560, 1920, 2295, H, "Label60", "1265"},
    {"Label63", 6840, 1920, 1695, H, "Label63", nullptr},
    {"Label61", 4560, 2160, 2175, H, "Label61", "1266"},
    {"Label64", 6840, 2160, 1695, H, "Label64", nullptr},
    {"Label115", 4560, 2640, 2175, H, "Label115", nullptr},
    {"Label116", 6840, 2640, 1095, H, "Label116", nullptr},
    {"Label123", 4560, 2880, 3735, H, "Label123", nullptr},
};

// Rows of the element frame hidden in the design; nothing shows or fills them.
const LabelDesign kFrame2Hidden[] = {
    {"Label50", 4560, 720, 2295, H, "Label50", "1258"},
    {"Label51", 4560, 960, 2295, H, "Label51", "1259"},
    {"Label52", 4560, 1200, 2295, H, "Label52", "1260"},
    {"Label57", 4560, 1440, 2295, H, "Label57", "1261"},
    {"Label53", 6840, 240, 1695, H, "Label53", nullptr},
    {"Label54", 6840, 720, 1695, H, "Label54", nullptr},
    {"Label55", 6840, 960, 1695, H, "Label55", nullptr},
    {"Label56", 6840, 1200, 1695, H, "Label56", nullptr},
    {"Label58", 6840, 1440, 1695, H, "Label58", nullptr},
    {"Label111", 6840, 480, 1635, 195, "Label111", nullptr},
};

// "Flowdata": captions and unit labels beside the four column frames.
const LabelDesign kFrame3[] = {
    {"Label65", 240, 240, 2055, H, "Label65", "1268"},
    {"Label72", 2400, 240, 735, H, "Label72", nullptr},
    {"Label66", 240, 480, 2055, H, "Label66", "1269"},
    {"Label73", 2400, 480, 615, H, "Label73", nullptr},
    {"Label67", 240, 720, 2055, H, "Label67", "1270"},
    {"Label74", 2400, 720, 735, H, "Label74", nullptr},
    {"Label69", 240, 960, 2055, H, "Label69", "1272"},
    {"Label75", 2400, 960, 495, H, "-", nullptr},
    {"Label68", 240, 1200, 2055, H, "Label68", "1271"},
    {"Label76", 2400, 1200, 495, H, "-", nullptr},
    {"Label102", 240, 1440, 2055, H, "Label102", "1280"},
    {"Label103", 2400, 1440, 615, H, "m/s", nullptr},
    {"Label70", 240, 1680, 2055, H, "Label70", "1273"},
    {"Label77", 2400, 1680, 735, H, "Label77", nullptr},
    {"Label71", 240, 1920, 2055, H, "Label71", "1274"},
    {"Label78", 2400, 1920, 735, H, "Label78", nullptr},
};

struct ColumnDesign {
    const char* frame;
    int left, width;
    const char* tag;
    // The value labels from the top: pressure, temperature, flow, expansion,
    // Reynolds, velocity, pressure loss, dp (nullptr where the column has none).
    const char* values[8];
};

const ColumnDesign kColumns[4] = {
    {"Frame4", 3240, 1335, "1275", {"Label79", "Label80", "Label81", "Label82", "Label83", "Label104", "Label84", "Label85"}},
    {"Frame5", 4560, 1335, "1276", {nullptr, nullptr, "Label86", "Label87", "Label88", "Label105", "Label89", "Label90"}},
    {"Frame6", 5880, 1335, "1277", {nullptr, nullptr, "Label91", "Label92", "Label93", "Label106", "Label94", "Label95"}},
    {"Frame7", 7200, 1455, "1278", {nullptr, nullptr, "Label96", "Label97", "Label98", "Label107", "Label99", "Label100"}},
};
constexpr int kRowTops[8] = {240, 480, 720, 960, 1200, 1440, 1680, 1920};

int columnValueWidth(const char* name)
{
    const std::string n = name;
    if (n == "Label87")
        return 975;
    if (n == "Label97" || n == "Label98" || n == "Label99" || n == "Label100")
        return 1215;
    return 1095;
}

QLabel* makeLabel(QWidget* parent, const LabelDesign& d)
{
    QLabel* l = plainLabel(parent, d.name, QString::fromUtf8(d.text));
    l->setGeometry(twipsRect(d.left, d.top, d.width, d.height));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    if (d.tag != nullptr)
        l->setProperty("Tag", QString::fromLatin1(d.tag));
    return l;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const char* tag, int left, int top, int width, int height)
{
    auto* f = new QGroupBox(QString::fromLatin1(name), parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setProperty("Tag", QString::fromLatin1(tag));
    f->setGeometry(twipsRect(left, top, width, height));
    // Frames inside a frame under the window's style sheet get the font
    // explicitly; it would not reach their captions otherwise.
    f->setFont(windowFont());
    return f;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* tag, int left)
{
    auto* b = new QPushButton(QString::fromLatin1(name), parent);
    b->setObjectName(QString::fromLatin1(name));
    if (tag != nullptr)
        b->setProperty("Tag", QString::fromLatin1(tag));
    b->setGeometry(twipsRect(left, 8160, left == 120 ? 495 : 1335, 375));
    return b;
}

// Whether `text` shows whole in `l`: wrapped at word boundaries in the label's
// width, as the label wraps it, it takes no more than the label's width and
// height (a label clips the rest, and a wrapped number's cut second line would
// stand over the next row).
bool fitsLabel(const QLabel& l, const std::string& text)
{
    const QRect room = l.contentsRect();
    const QRect needs = l.fontMetrics().boundingRect(QRect(0, 0, room.width(), 100000),
                                                     int(l.alignment()) | Qt::TextWordWrap,
                                                     QString::fromStdString(text));
    return needs.width() <= room.width() && needs.height() <= room.height();
}

// The place of a label of the element frame as designed.
QRect designedPlace(const char* name)
{
    for (const LabelDesign& d : kFrame2)
        if (std::strcmp(d.name, name) == 0)
            return twipsRect(d.left, d.top, d.width, d.height);
    return {};
}

// The inside dimensions of a duct, "a" "x" "b", stand in the value column
// (Label32) with "mm" (Label33) in the unit column. Two sides that do not fit
// there run over the unit column, and the unit stands behind them at the end
// of the left half (as page 1 of the protocol places a duct's unit further
// right): room for two sides in the scientific form.
constexpr int DuctSidesWideWidth = 1710;
constexpr int DuctUnitWideLeft = 4140, DuctUnitWideWidth = 375;

}  // namespace

frmResult::frmResult(ProgramState& state, PrinterDialog& dialog, ProtocolPrinter* printer,
                     std::function<void()> showLimits)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      state_(state), dialog_(dialog), printer_(printer), showLimits_(std::move(showLimits))
{
    setObjectName(QStringLiteral("frmResult"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    setWindowTitle(QStringLiteral("Results"));
    setProperty("Tag", QString::fromLatin1(CaptionTag));
    setFont(windowFont());
    // A frame's border runs through the middle of its caption, so the first
    // row (240 twips down) lies inside the frame, clear of the border. A
    // caption is painted on the window's colour: the column frames at the top
    // of the flow data frame hide its border behind their captions.
    setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                                 "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                                 " left: 6px; padding: 0 2px; background-color: palette(window); }"));
    setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    const QPixmap icon = programPicture(32);
    setWindowIcon(QIcon(icon));

    auto* Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 120, 555, 555));
    Picture1->setPixmap(icon);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    makeLabel(this, {"Label1", 780, 180, 2655, 495, "morvane 7 Pro", nullptr});

    QGroupBox* Frame1 = makeFrame(this, "Frame1", "1235", 120, 720, 8655, 1575);
    for (const LabelDesign& d : kFrame1)
        makeLabel(Frame1, d);
    QGroupBox* Frame2 = makeFrame(this, "Frame2", "1246", 120, 2400, 8655, 3255);
    for (const LabelDesign& d : kFrame2)
        makeLabel(Frame2, d);
    for (const LabelDesign& d : kFrame2Hidden)
        makeLabel(Frame2, d)->setVisible(false);
    QLabel* Label123 = findChild<QLabel*>(QStringLiteral("Label123"));
    QPalette red = Label123->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    Label123->setPalette(red);

    QGroupBox* Frame3 = makeFrame(this, "Frame3", "1267", 120, 5760, 8655, 2295);
    for (const LabelDesign& d : kFrame3)
        makeLabel(Frame3, d);
    for (const ColumnDesign& c : kColumns) {
        QGroupBox* column = makeFrame(Frame3, c.frame, c.tag, c.left, 0, c.width, 2295);
        for (int row = 0; row < 8; ++row)
            if (c.values[row] != nullptr)
                makeLabel(column, {c.values[row], 120, kRowTops[row], columnValueWidth(c.values[row]), H,
                                   c.values[row], nullptr});
    }

    Command4_ = makeButton(this, "Command4", nullptr, 120);
    Command4_->setVisible(false);  // nothing makes it visible
    Check1_ = new QCheckBox(QStringLiteral("Check1"), this);
    Check1_->setObjectName(QStringLiteral("Check1"));
    Check1_->setProperty("Tag", QStringLiteral("1835"));
    Check1_->setGeometry(twipsRect(960, 8280, 2655, 255));
    Check1_->setChecked(true);
    Command2_ = makeButton(this, "Command2", "1282", 4560);
    Command3_ = makeButton(this, "Command3", "1316", 6000);
    Command1_ = makeButton(this, "Command1", "1281", 7440);

    setTabOrder(Command1_, Command2_);
    setTabOrder(Command2_, Command3_);
    setTabOrder(Command3_, Picture1);
    setTabOrder(Picture1, Command4_);
    setTabOrder(Command4_, Check1_);
    Command1_->setFocus();

    connect(Command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3_, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4_, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

QLabel* frmResult::label(const char* name) const
{
    return findChild<QLabel*>(QString::fromLatin1(name));
}

void frmResult::Form_Load()
{
    Guard g("frmResult", "Form_Load", "Private Sub Form_Load()");
    if (!g.step([&] { LoadResstrings(this, state_.ui.gSprachOffset); }))
        return;
    fill(g);
}

void frmResult::FillResults()
{
    Guard g("frmResult", "FillResults", "Public Sub FillResults()");
    fill(g);
}

void frmResult::fill(Guard& g)
{
    const CalculationState& s = state_.calc;
    const DokumentDaten& doc = state_.doc;
    const std::int32_t off = state_.ui.gSprachOffset;
    const char sep = QLocale().decimalPoint().at(0).toLatin1();

    bool going = true;
    QLabel* cell = nullptr;  // the label being filled: the room its number has
    // One statement: the label's caption from `text()`; a failing statement
    // leaves the label as it was.
    auto put = [&](const char* name, auto text) {
        if (going)
            going = g.step([&] {
                cell = label(name);
                cell->setText(QString::fromStdString(std::string(text())));
            });
    };
    // A value shows within 1 % of itself (formatFixedNear: where the row's
    // places would move it further, with 4 significant digits), and one whose
    // fixed form does not fit its label in the scientific form with 4
    // significant digits.
    auto num = [&](double v, int decimals) {
        return formatFixedNearOrScientific(v, decimals, sep, [&](const std::string& t) { return fitsLabel(*cell, t); });
    };
    // A converted value: a unit index outside its table leaves the label as it was.
    auto putConverted = [&](const char* name, auto value, int decimals) {
        if (going)
            going = g.step([&] {
                const std::optional<double> v = value();
                cell = label(name);
                if (v)
                    cell->setText(QString::fromStdString(num(*v, decimals)));
            });
    };
    auto txt = [&](std::int32_t id) { return resText(id, off); };
    auto na = [&] { return resText(NotApplicable, off); };

    // 1. The medium rows by the property model.
    if (isTrue(s.gModellGespeicherteDaten)) {
        put("Label6", [&] { return txt(1069 + s.gMediumNr); });
        if (usesSteamTables(s)) {
            put("Label7", [&] { return txt(1241); });
            put("Label19", na);
            put("Label8", na);
        } else {
            put("Label7", [&] { return txt(1048); });
            put("Label19", [&] { return num(s.gKompressibilitaet, 3); });
            put("Label8", [&] { return num(s.gNormdichte, 3); });
        }
    }
    if (isTrue(s.gModellIdealesGas)) {
        put("Label6", [&] { return s.gMediumsbezeichnung; });
        put("Label7", [&] { return txt(1049); });
        put("Label19", [&] { return num(s.gKompressibilitaet, 3); });
        put("Label8", [&] { return num(s.gDichteEingabe, 3); });
    }
    if (isTrue(s.gModellRedlichKwong)) {
        put("Label6", [&] { return s.gMediumsbezeichnungRK; });
        put("Label7", [&] { return txt(1050); });
        put("Label19", [&] { return num(s.gKompressibilitaet, 3); });
        put("Label8", [&] { return num(s.gNormdichteRK, 3); });
    }
    if (isTrue(s.gModellFluessigkeit)) {
        put("Label6", [&] { return s.gMediumsbezeichnung; });
        put("Label7", [&] { return txt(1328); });
        put("Label19", na);
        put("Label8", na);
    }

    // 2. Properties; water and liquids carry an isentropic exponent of 1e9.
    put("Label9", [&] { return num(s.gBetriebsdichte, 3); });
    put("Label13", [&] { return s.gIsentropenkoeffizient < 10.0 ? num(s.gIsentropenkoeffizient, 3) : na(); });
    put("Label16", [&] { return num(s.gViskositaet, 3); });
    // The ideal gas law and the liquid use no critical data: "n.a." as on
    // page 1 of the protocol, not what the Redlich-Kwong boxes left in the
    // critical fields (0.000 when they are empty).
    const bool noCriticalData = isTrue(s.gModellIdealesGas) || isTrue(s.gModellFluessigkeit);
    put("Label23", [&] { return noCriticalData ? na() : num(s.gKritischeTemperatur, 3); });
    put("Label24", [&] { return noCriticalData ? na() : num(s.gKritischerDruck, 3); });

    // 3. Element type.
    put("Label28", [&] { return txt(s.gPrimaerelementtyp >= 15 ? 1583 : 1085 + s.gPrimaerelementtyp); });

    // 4. Pipe shape.
    if (s.gRohrRechteckig != 0) {
        put("Label30", [&] { return txt(1248); });
        put("Label32", [&] { return ductSides(s.gInnendurchmesser, s.gInnenmassB, sep); });
        put("Label34", [&] { return txt(1252); });
    } else {
        put("Label30", [&] { return txt(1249); });
        put("Label32", [&] {
            placeDuctSides(false);
            return num(s.gInnendurchmesser, 1);
        });
        put("Label34", [&] { return txt(1251); });
    }

    // 5. Element values and the texts of the order.
    put("Label35", [&] { return num(s.gInnendurchmesserWarm, 1); });
    put("Label39", [&] { return num(s.gZeta, 4); });
    put("Label40", [&] { return num(s.gKZahl, 4); });
    put("Label44", [&] { return num(s.gBeta, 4); });
    put("Label109", [&] { return num(s.gKorrekturFaktor, 4); });
    put("Label47", [&] { return hasWallThickness(s) ? num(s.gWandstaerke, 1) : na(); });
    put("Label110", [&] { return state_.config.gTypenschluessel; });
    put("Label62", [&] { return doc.gMessstellennummer; });
    put("Label63", [&] { return doc.gSeriennummer; });
    put("Label64", [&] { return doc.gZeugnisse; });

    // 6. Units, pressure and temperature.
    put("Label72", [&] { return unitText(PressureUnitTextBase, s.gDruckEinheit, off); });
    put("Label73", [&] { return unitText(TemperatureUnitTextBase, s.gTemperaturEinheit, off); });
    putConverted("Label79", [&] { return pressureForDisplay(s.gDruck, s.gDruckEinheit); }, 3);
    put("Label77", [&] { return unitText(DpUnitTextBase, s.gDpEinheit, off); });
    put("Label78", [&] { return unitText(DpUnitTextBase, s.gDpEinheit, off); });
    putConverted("Label80", [&] { return temperatureForDisplay(s.gTemperatur, s.gTemperaturEinheit); }, 1);
    put("Label74", [&] { return unitText(FlowUnitTextBase, s.gDurchflussEinheit, off); });

    // 7. and 8. The operating points: design always, max/norm/min with the flow range.
    const double flows[4] = {s.gDurchflussAuslegung, s.gDurchflussMax, s.gDurchflussNorm, s.gDurchflussMin};
    auto column = [&](int i) {
        const ColumnDesign& c = kColumns[i];
        const auto at = static_cast<std::size_t>(i);
        put(c.values[2], [&] { return num(flows[i], 2); });
        put(c.values[3], [&] { return num(s.gExpansionszahl[at], 4); });
        put(c.values[4], [&] { return formatScientific(s.gReynolds[at], 2, sep); });
        put(c.values[5], [&] { return num(s.gGeschwindigkeit[at], 2); });
        putConverted(c.values[6], [&] { return dpForDisplay(s.gDruckverlust[at], s.gDpEinheit); }, 4);
        putConverted(c.values[7], [&] { return dpForDisplay(s.gDifferenzdruck[at], s.gDpEinheit); }, 4);
    };
    column(0);
    if (s.gMehrereBetriebspunkte == 1)
        for (int i = 1; i < 4; ++i)
            column(i);
    if (s.gMehrereBetriebspunkte == 0)
        for (int i = 1; i < 4; ++i)
            for (int row = 2; row < 8; ++row)
                put(kColumns[i].values[row], na);

    // 9. The vibration captions, for every element type.
    put("Label112", [&] { return txt(1824); });
    put("Label117", [&] { return txt(1825); });
    put("Label115", [&] { return txt(1826); });
    put("Label120", [&] { return txt(1827); });

    // 10. The vibration values: the probes (types 2 to 8) only.
    if (s.gPrimaerelementtyp > 1 && s.gPrimaerelementtyp < 9) {
        put("Label113", [&] {
            return num(s.gGegenlagerVorgesehen == 1 ? s.gEigenfrequenzGegenlager : s.gEigenfrequenz, 1);
        });
        put("Label118", [&] { return num(s.gVortexfrequenz, 1); });
        put("Label121", [&] { return num(s.gSondenlaenge, 1); });
        put("Label116", [&] { return num(s.gFrequenzverhaeltnis, 2); });
        put("Label123", [&] { return s.gSchwingungswarnung != 0 ? txt(1828) : std::string(" "); });
    } else {
        for (const char* name : {"Label113", "Label118", "Label121", "Label116", "Label123"})
            put(name, [] { return std::string(); });
    }
}

void frmResult::placeDuctSides(bool wide)
{
    QRect sides = designedPlace("Label32");
    QRect unit = designedPlace("Label33");
    if (wide) {
        sides.setWidth(twipsToPixels(DuctSidesWideWidth));
        unit = QRect(twipsToPixels(DuctUnitWideLeft), unit.top(), twipsToPixels(DuctUnitWideWidth), unit.height());
    }
    label("Label32")->setGeometry(sides);
    label("Label33")->setGeometry(unit);
}

std::string frmResult::ductSides(double a, double b, char sep)
{
    // Both sides in their fixed form ("###0.0"; within 1 % of the side, as
    // every number of the window) where they fit the designed cell. Else, in
    // the wider cell, the fixed forms, then the longer side in the scientific
    // form with 4 significant digits, then both.
    auto side = [&](double v, bool scientific) {
        return scientific ? formatScientific(v, 3, sep) : formatFixedNear(v, 1, sep);
    };
    const QLabel& sides = *label("Label32");
    placeDuctSides(false);
    const std::string fixed = side(a, false) + "x" + side(b, false);
    if (fitsLabel(sides, fixed))
        return fixed;
    placeDuctSides(true);
    const bool aLonger = side(a, false).size() >= side(b, false).size();
    for (const std::string& t : {fixed, side(a, aLonger) + "x" + side(b, !aLonger)})
        if (fitsLabel(sides, t))
            return t;
    return side(a, true) + "x" + side(b, true);
}

void frmResult::print(bool english)
{
    Guard g("frmResult", english ? "Command3_Click" : "Command1_Click",
            english ? "Private Sub Command3_Click()" : "Private Sub Command1_Click()");
    if (!g.step([&] { state_.doc.gDruckeSeite2 = Check1_->isChecked() ? 1 : 0; }))
        return;
    PrintTarget target;
    if (!g.step([&] { target = dialog_.ShowPrinter(resText(PrinterDialogTitle, state_.ui.gSprachOffset)); }))
        return;
    g.step([&] {
        if (printer_ == nullptr)
            return;
        printer_->setTarget(target);
        if (english)
            printer_->DruckeEnglisch();
        else
            printer_->DruckeDeutsch();
    });
}

void frmResult::Command1_Click() { print(false); }
void frmResult::Command3_Click() { print(true); }

void frmResult::Command2_Click()
{
    Guard g("frmResult", "Command2_Click", "Private Sub Command2_Click()");
    g.step([&] { close(); });
}

void frmResult::Command4_Click()
{
    Guard g("frmResult", "Command4_Click", "Private Sub Command4_Click()");
    g.step([&] {
        if (showLimits_)
            showLimits_();
    });
}

QtResultsWindow::~QtResultsWindow()
{
    delete window_.data();
    delete limits_.data();
}

void QtResultsWindow::show()
{
    if (window_ == nullptr) {
        window_ = new frmResult(state_, dialog_, printer_, [this] { showLimits(); });
        window_->Form_Load();
        if (const QScreen* screen = QGuiApplication::primaryScreen())  // opens centred on the screen
            window_->move(screen->availableGeometry().center() - window_->rect().center());
        window_->show();
        return;
    }
    window_->FillResults();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtResultsWindow::close()
{
    // At once, not on the next turn of the event loop: the caller goes on with
    // the windows gone.
    delete window_.data();
    delete limits_.data();
}

void QtResultsWindow::showLimits()
{
    if (limits_ == nullptr) {
        limits_ = new frmLimits(state_.calc);
        limits_->show();
        return;
    }
    limits_->show();
    limits_->raise();
    limits_->activateWindow();
}

}  // namespace morvane
