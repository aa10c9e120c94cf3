#include "file_work.h"

#include "app/core/edit_commands.h"
#include "core/experiment.h"
#include "document/experiment_file.h"
#include "document/keydoc.h"
#include "main_window.h"
#include "views/app_services.h"
#include "views/board_view.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace ampera {

QString QtNameFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = parts[i + 1];
        // Qt matches the patterns it finds between the description's last
        // brackets; put the pair's own pattern there.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) description.truncate(open);
        filters << description + QLatin1Char('(') + pattern + QLatin1Char(')');
    }
    if (parts.size() == 1) filters << parts[0];
    return filters.join(QStringLiteral(";;"));
}

SaveAnswer CQtFileDialogs::AskSave(const std::string& question, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    // Our own texts: not every Qt translation has these buttons.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

std::optional<std::string> CQtFileDialogs::SaveDialog(const std::string& title, const std::string& filter,
                                                      const std::string& initialName) {
    QFileDialog dialog(m_parent, QString::fromStdString(title), m_directory, QtNameFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The suffix of the filter's first pattern ("*.png"), else the
    // experiment files' own.
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    const QString pattern = parts.size() >= 2 ? parts[1] : QString();
    dialog.setDefaultSuffix(pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2)
                                                                    : QString::fromLatin1(kDefaultExtension));
    if (!initialName.empty()) dialog.selectFile(QString::fromStdString(initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> CQtFileDialogs::OpenDialog(const std::string& title, const std::string& filter) {
    QFileDialog dialog(m_parent, QString::fromStdString(title), m_directory, QtNameFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kDefaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

void CQtFileDialogs::ShowError(const std::string& text) {
    QMessageBox::warning(m_parent, QString::fromLatin1(kCaption), QString::fromStdString(text),
                         QMessageBox::Ok);
}

bool CQtFileDialogs::AskYesNo(const std::string& question, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    return box.exec() == QMessageBox::Yes;
}

void CMainFileWork::StopLoop() {
    m_window.StopLoop();
}

void CMainFileWork::StartLoop() {
    m_window.StartLoop();
}

bool CMainFileWork::Save(const std::string& path, std::string& error) {
    std::string text;
    if (!SaveFile(m_window.m_experiment, path, &error, &text)) return false;
    // The file holds the work now: the autosave goes.
    m_window.SetAutosaveBaseline(text);
    return true;
}

bool CMainFileWork::Load(const std::string& path, std::string& error) {
    // The context item names an object of the experiment being replaced.
    m_window.m_contextItem.store(nullptr);
    if (!LoadFile(m_window.m_experiment, path, m_window.m_services->GetTime(), &error)) return false;
    m_window.SetAutosaveBaseline(ExperimentDocument(m_window.m_experiment).ToText());
    return true;
}

void CMainFileWork::Clear() {
    CExperiment& experiment = m_window.m_experiment;
    experiment.m_boardState.outlines.clear();
    experiment.ClearExperiment();
    if (IPropertyWindow* window = m_window.m_services->GetPropertyWindow(0)) window->SetDevice(nullptr, 0);
    m_window.SetAutosaveBaseline(ExperimentDocument(experiment).ToText());
}

void CMainFileWork::ClearHistories() {
    m_window.m_board->History().Clear();
}

void CMainFileWork::ResetScroll() {
    m_window.m_scroll.vertical.pos = 0;
    m_window.m_scroll.horizontal.pos = 0;
    m_window.SyncScrollBars();
}

void CMainFileWork::ClearContext() {
    m_window.m_contextItem.store(nullptr);
    m_window.RunOnLoop(
        [&experiment = m_window.m_experiment] { experiment.m_boardState.selection = nullptr; });
    std::lock_guard lock(m_window.m_snapshotMutex);
    m_window.m_snapshot.selection = nullptr;
    m_window.m_snapshot.selectionType = -1;
}

bool CMainFileWork::Modified() {
    return m_window.m_board->History().Modified();
}

void CMainFileWork::MarkSaved(bool saved) {
    if (saved)
        m_window.m_board->History().MarkSaved();
    else
        m_window.m_board->History().MarkUnsaved();
    m_window.RefreshTitle();
}

void CMainFileWork::SetTitle(const std::string& title) {
    m_window.m_baseTitle = QString::fromStdString(title);
    m_window.RefreshTitle();
}

} // namespace ampera
