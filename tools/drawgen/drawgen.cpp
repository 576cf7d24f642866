// drawgen PROGRAM_FOLDER
//
// Draws the demonstration dimension drawings into PROGRAM_FOLDER/Drawings/PDF and
// PROGRAM_FOLDER/Drawings/JPG: for each of the seven element models (the names of
// the element-type list), its German configuration table is loaded from the
// product database of the folder, and every combination of options of its
// drawing fields (FLU, CON, POR) is named as the configurator names it. Names
// with a part "XX" (a position code outside the table) get no drawing, so that
// the program also shows the case of a missing drawing. Each drawing is a simple
// sketch of the probe in its pipe with its name and a note that it is no
// manufacturing drawing. Runs without a display (Qt's offscreen platform).
//
// Exit status 0 on success, 1 when the data cannot be read or a file cannot be
// written.
#include "common/ResourceTexts.h"
#include "configurator/ConfigData.h"
#include "configurator/DrawingName.h"
#include "engine/CalculationState.h"
#include "tracing/ErrPtnr.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace morvane;

// Element types 1..7 in the element-type list.
constexpr std::int32_t FirstModelText = 1086;
constexpr int ModelCount = 7;

class FailingMessageBox : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        std::cerr << "drawgen: " << request.text << "\n";
        failed = true;
        return MessageAnswer::Ok;
    }
    bool failed = false;
};

class FailingResponder : public ErrorResponder {
public:
    std::optional<std::int16_t> ask(const ErrorReport& r) override
    {
        std::cerr << "drawgen: run-time error " << r.number << " (" << r.description << ") in " << r.procedure
                  << "\n";
        failed = true;
        return ContExit;
    }
    bool failed = false;
};

std::string trimmed(const std::string& s)
{
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// Every complete drawing name of the model loaded in z.
std::set<std::string> drawingNames(const ConfigZustand& z)
{
    const std::span<const ConfigField> fields(z.gConfFelder.data(), static_cast<std::size_t>(z.gConfFeldAnzahl));
    std::vector<std::size_t> drawingRows;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& key = fields[i].FieldName;
        if (isTrue(fields[i].DrawingField) && (key == "FLU" || key == "CON" || key == "POR"))
            drawingRows.push_back(i);
    }
    std::set<std::string> names;
    std::vector<int> chosen(fields.size(), 0);
    for (const std::size_t r : drawingRows)
        chosen[r] = 1;
    // An odometer over the options of the drawing rows.
    for (;;) {
        const std::string name = drawingName(z.gSondentyp, fields, chosen);
        if (name.find("XX", z.gSondentyp.size()) == std::string::npos)
            names.insert(name);
        std::size_t d = 0;
        for (; d < drawingRows.size(); ++d) {
            int& k = chosen[drawingRows[d]];
            if (k < fields[drawingRows[d]].OptionCount) {
                ++k;
                break;
            }
            k = 1;
        }
        if (d == drawingRows.size())
            break;
    }
    return names;
}

// The sketch on a canvas of w x h units: a pipe in section, the probe across it,
// its head with the process connection above, the name and the note.
void paintDrawing(QPainter& p, double w, double h, const QString& name)
{
    p.fillRect(QRectF(0, 0, w, h), Qt::white);
    QPen pen(Qt::black);
    pen.setWidthF(w / 400);
    p.setPen(pen);
    p.drawRect(QRectF(w * 0.02, h * 0.02, w * 0.96, h * 0.96));

    const double cx = w * 0.5;
    const double top = h * 0.42;
    const double bottom = h * 0.78;
    // Pipe wall (hatched) and its centre line.
    p.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
    p.drawRect(QRectF(w * 0.18, top - h * 0.03, w * 0.64, h * 0.03));
    p.drawRect(QRectF(w * 0.18, bottom, w * 0.64, h * 0.03));
    p.setBrush(Qt::NoBrush);
    QPen dash = pen;
    dash.setStyle(Qt::DashDotLine);
    p.setPen(dash);
    p.drawLine(QPointF(w * 0.14, (top + bottom) / 2), QPointF(w * 0.86, (top + bottom) / 2));
    p.setPen(pen);
    // Probe across the pipe, nozzle, flange and head.
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(cx - w * 0.015, top - h * 0.16, w * 0.03, bottom - top + h * 0.19));
    p.drawRect(QRectF(cx - w * 0.04, top - h * 0.12, w * 0.08, h * 0.09));
    p.drawRect(QRectF(cx - w * 0.07, top - h * 0.15, w * 0.14, h * 0.03));
    p.drawRect(QRectF(cx - w * 0.05, top - h * 0.24, w * 0.10, h * 0.08));
    p.setBrush(Qt::NoBrush);
    // Flow arrow.
    const double ay = bottom - h * 0.06;
    p.drawLine(QPointF(w * 0.22, ay), QPointF(w * 0.34, ay));
    p.drawLine(QPointF(w * 0.34, ay), QPointF(w * 0.32, ay - h * 0.015));
    p.drawLine(QPointF(w * 0.34, ay), QPointF(w * 0.32, ay + h * 0.015));

    QFont title("Liberation Sans");
    title.setPixelSize(static_cast<int>(h * 0.07));
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(0, h * 0.04, w, h * 0.09), Qt::AlignCenter, name);
    QFont note("Liberation Sans");
    note.setPixelSize(static_cast<int>(h * 0.04));
    p.setFont(note);
    p.drawText(QRectF(0, h * 0.84, w, h * 0.1), Qt::AlignCenter,
               QStringLiteral("Demonstration drawing - not for manufacture"));
}

bool writePdf(const std::filesystem::path& file, const QString& name)
{
    QPdfWriter pdf(QString::fromStdString(file.string()));
    pdf.setPageSize(QPageSize(QPageSize::A5));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(300);
    pdf.setTitle(name);
    pdf.setCreator(QStringLiteral("morvane"));
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    paintDrawing(p, pdf.width(), pdf.height(), name);
    return p.end();
}

bool writeJpg(const std::filesystem::path& file, const QString& name)
{
    QImage image(480, 340, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintDrawing(p, image.width(), image.height(), name);
    p.end();
    return image.save(QString::fromStdString(file.string()), "JPG", 85);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: drawgen PROGRAM_FOLDER\n";
        return 1;
    }
    // The build machine has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::filesystem::path folder = argv[1];
    const std::filesystem::path pdfDir = folder / "Drawings" / "PDF";
    const std::filesystem::path jpgDir = folder / "Drawings" / "JPG";
    std::error_code ec;
    std::filesystem::remove_all(pdfDir, ec);
    std::filesystem::remove_all(jpgDir, ec);
    std::filesystem::create_directories(pdfDir);
    std::filesystem::create_directories(jpgDir);

    FailingMessageBox boxes;
    FailingResponder responder;
    errPtnr().setResponder(&responder);
    ProductDatabases databases(folder);
    ConfigEnvironment env{databases, boxes, 0};
    std::size_t count = 0;
    for (int t = 0; t < ModelCount; ++t) {
        auto z = std::make_unique<ConfigZustand>();
        z->gSondentyp = trimmed(resText(FirstModelText + t, OffsetGerman));
        const ConfigModel model = fncgChangeConfigSensor(*z, env, z->gSondentyp, "DE");
        if (!model.loaded || boxes.failed || responder.failed)
            return 1;
        for (const std::string& name : drawingNames(*z)) {
            const QString qname = QString::fromStdString(name);
            if (!writePdf(drawingPdfPath(folder, name), qname) || !writeJpg(drawingJpgPath(folder, name), qname)) {
                std::cerr << "drawgen: cannot write the drawing " << name << "\n";
                return 1;
            }
            ++count;
        }
    }
    errPtnr().setResponder(nullptr);
    std::cout << "drawgen: " << count << " drawings in " << folder.string() << "/Drawings\n";
    return 0;
}
