#include "autosave.h"

#include "document/experiment_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace ampera {

namespace {

constexpr int kDefaultIntervalMs = 60 * 1000;
const QString kSuffix = QStringLiteral(".vtx");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kAsideSuffix = QStringLiteral(".unreadable");

QString LockPathOf(const QString& autosavePath) {
    QString base = autosavePath;
    if (base.endsWith(kSuffix)) base.chop(kSuffix.size());
    return base + kLockSuffix;
}

std::unique_ptr<QLockFile> LockFor(const QString& autosavePath) {
    auto lock = std::make_unique<QLockFile>(LockPathOf(autosavePath));
    // Held for a whole run: only a lock whose process is gone is stale.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

int AutosaveIntervalMs(const char* environment, std::string* warning) {
    if (!environment || !*environment) return kDefaultIntervalMs;
    char* end = nullptr;
    errno = 0;
    const double seconds = std::strtod(environment, &end);
    if (errno != 0 || end == environment || *end != '\0' || !std::isfinite(seconds) || seconds <= 0 ||
        seconds > 24.0 * 3600) {
        if (warning)
            *warning = std::string("AMPERA_AUTOSAVE_SECONDS=") + environment +
                       " is not a number of seconds; autosaving every 60 s";
        return kDefaultIntervalMs;
    }
    return std::max(1, static_cast<int>(std::lround(seconds * 1000)));
}

QString DefaultAutosaveFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("autosave"));
}

void CLeftAutosave::Discard() {
    QFile::remove(m_path);
    if (m_lock) m_lock->unlock();
    m_lock.reset();
}

QString CLeftAutosave::KeepAside() {
    QString aside = m_path + kAsideSuffix;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = m_path + kAsideSuffix + QString::number(n);
    const bool renamed = QFile::rename(m_path, aside);
    if (m_lock) m_lock->unlock();
    m_lock.reset();
    return renamed ? aside : QString();
}

CAutosave::CAutosave(QString folder) : m_folder(std::move(folder)) {
    if (!QDir().mkpath(m_folder)) return;
    const QString name = QStringLiteral("bench-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    m_path = QDir(m_folder).filePath(name + kSuffix);
    m_lock = LockFor(m_path);
    m_ready = m_lock->tryLock(0);
}

CAutosave::~CAutosave() {
    // Ending without Remove (a run that did not end cleanly) leaves the
    // autosave; the lock goes, so the next start finds it.
    if (m_lock) m_lock->unlock();
}

bool CAutosave::Exists() const {
    return !m_path.isEmpty() && QFileInfo::exists(m_path);
}

void CAutosave::SetBaseline(std::string documentText) {
    m_baseline = std::move(documentText);
    ++m_generation;
    Remove();
}

void CAutosave::ClearBaseline() {
    m_baseline.reset();
    m_written.reset();
    ++m_generation;
}

bool CAutosave::Offer(const std::string& documentText, const std::string& bytes, std::uint64_t generation,
                      std::string& error) {
    if (!m_ready || generation != m_generation) return true;
    if (m_baseline && documentText == *m_baseline) {
        Remove();
        return true;
    }
    if (m_written && documentText == *m_written && Exists()) return true;
    if (!WriteFileAtomically(m_path.toStdString(), bytes, &error)) return false;
    m_written = documentText;
    return true;
}

void CAutosave::Remove() {
    m_written.reset();
    if (Exists()) QFile::remove(m_path);
}

void CAutosave::Finish() {
    Remove();
    if (m_lock) m_lock->unlock();
    m_ready = false;
}

std::vector<CLeftAutosave> CAutosave::LeftBehind() const {
    std::vector<CLeftAutosave> found;
    const QDir folder(m_folder);
    for (const QFileInfo& entry :
         folder.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden, QDir::Time)) {
        const QString path = entry.absoluteFilePath();
        if (QFileInfo(path) == QFileInfo(m_path)) continue;
        std::unique_ptr<QLockFile> lock = LockFor(path);
        // Held by a running bench: its own work, not a left-over.
        if (!lock->tryLock(0)) continue;
        found.emplace_back(path, std::move(lock));
    }
    // Locks of runs that ended before they ever autosaved: nothing to offer,
    // so they go (a lock a running bench holds stays).
    for (const QFileInfo& entry : folder.entryInfoList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        QString autosave = entry.absoluteFilePath();
        autosave.chop(kLockSuffix.size());
        autosave += kSuffix;
        if (QFileInfo::exists(autosave)) continue;
        if (const std::unique_ptr<QLockFile> lock = LockFor(autosave); lock->tryLock(0)) lock->unlock();
    }
    return found;
}

} // namespace ampera
