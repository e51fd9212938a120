#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

// Takes the drops that carry local files away from the control they land on and hands the
// files' paths on; any other drop (text) goes on to the control as before.
class FileDrops : public QObject {
public:
    using Open = std::function<void(const QStringList& paths)>;
    FileDrops(Open open, QObject* parent) : QObject(parent), m_open(std::move(open)) {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Open m_open;
};
