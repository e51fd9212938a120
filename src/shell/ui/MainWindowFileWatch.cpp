#include "shell/ui/MainWindow.h"

#include "documents/FileChanges.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

namespace {

// How soon a check put off by a busy window is tried again.
constexpr int kRetryMs = 500;

} // namespace

// The watch only notes that the file was touched; the question waits until the writer is
// here to answer it: the window active, no dialog, menu or tool run in the way.
void MainWindow::registerFileWatch() {
    m_fileCheckRetry = new QTimer(this);
    m_fileCheckRetry->setSingleShot(true);
    m_fileCheckRetry->setInterval(kRetryMs);
    connect(m_fileCheckRetry, &QTimer::timeout, this, &MainWindow::checkFileWhenFree);
    connect(&m_document.fileWatch(), &FileChangeWatch::touched, this,
            [this] { QTimer::singleShot(0, this, &MainWindow::checkFileWhenFree); });
    // Queued: the question must not open inside the activation itself.
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            [this] { QTimer::singleShot(0, this, &MainWindow::checkFileWhenFree); });
}

void MainWindow::checkFileWhenFree() {
    if (m_checkingFile || !isActiveWindow()) return; // the next activation looks again
    if (m_inputBlocked || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        m_fileCheckRetry->start();
        return;
    }
    m_checkingFile = true;
    checkDocumentFile(m_ctx);
    m_checkingFile = false;
}
