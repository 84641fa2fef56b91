// Qtinstance: one window per program folder on Qt: the first start listens on a local socket
// named after the folder; a later start connects to it, which brings that window to the front.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class TQtInstance : public QObject {
    Q_OBJECT

public:
    // Takes the name, or, when a window already holds it, asks that window to the front.
    explicit TQtInstance(const QString& name, QObject* parent = nullptr);
    // Whether this process holds the name and so opens the window.
    bool First() const { return Holder; }
    // The window that a later start brings to the front.
    void SetWindow(QWidget* window) { Window = window; }

private:
    QLocalServer Server;
    QPointer<QWidget> Window;
    bool Holder = false;

    bool AskRunning(const QString& name);
    void Raise();
};
