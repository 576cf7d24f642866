// The error dialog wired to a fresh tracer and recording fakes behind its
// protocol buttons, for the Qt tests of the dialog and the error-test panel.
#pragma once

#include "gui/ModalDriver.h"
#include "support/Fakes.h"
#include "tracing/ErrorProtocol.h"
#include "tracing/qt/ErrorDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace morvane::testing {

struct ErrorDialogRig {
    ErrorDialogRig()
    {
        tracer->setResponder(&dialog);
        tracer->setProgramIdentity("morvane", 7, 0, 12);
    }

    ProtocolSettings protocolSettings() const
    {
        ProtocolSettings s;
        s.folder = folder.path().toStdString();
        return s;
    }

    TestTracer tracer;  // its quit throws QuitRequested
    QTemporaryDir folder;
    RecordingMessageBox messages;
    RecordingClipboard clipboard;
    RecordingShell shell;
    RecordingPrinter printer;
    FixedOsInfo os;
    FixedClock clock{10, 15, 2};
    ErrorProtocol protocol{ProtocolServices{messages, clipboard, shell, printer, os, clock}, protocolSettings()};
    ErrorDialog dialog{protocol};
};

// What the user sees of the dialog while it is up.
struct DialogView {
    QString caption;
    QStringList values;            // lblError(0..3)
    QStringList continueButtons;   // the visible ones, left to right
    QStringList protocolButtons;   // the visible ones, left to right
    QString comment;

    static DialogView of(QWidget* w)
    {
        DialogView v;
        v.caption = w->windowTitle();
        for (int i = 0; i < 4; ++i) {
            v.values << w->findChild<QLabel*>(QStringLiteral("lblError%1").arg(i))->text();
            auto* c = w->findChild<QPushButton*>(QStringLiteral("cmdContinue%1").arg(i));
            if (c->isVisible())
                v.continueButtons << c->text();
            auto* p = w->findChild<QPushButton*>(QStringLiteral("cmdProtocol%1").arg(i));
            if (p->isVisible())
                v.protocolButtons << p->text();
        }
        v.comment = w->findChild<QLabel*>(QStringLiteral("lblComment"))->text();
        return v;
    }
};

inline QPushButton* button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QString::fromUtf8(name));
}

// A driver whose rescue leaves the procedure, so that a faulty test cannot
// loop on Repeat.
inline void rescueWithExit(ModalDriver& driver)
{
    driver.onTimeout([](QWidget* w) {
        if (auto* exit = button(w, "cmdContinue2"))
            exit->click();
        else if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
    });
}

}  // namespace morvane::testing
