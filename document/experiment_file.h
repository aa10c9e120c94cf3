// Experiment files (.vtx): every device, node and wire of an experiment as a
// key-path document with root COMPONENT, nine category lists and each
// object's own keys; connections are kept by the nodes and wires as ids.
#pragma once

#include <string>

namespace ampera {

class CExperiment;
class CKeyDoc;

// The teacher's lock, under COMPONENT: written only for a locked experiment,
// so every other file is written as before; a file without it opens
// unlocked.
inline constexpr const char* kLockKey = "COMPONENT:LOCK:ON";
inline constexpr const char* kLockSaltKey = "COMPONENT:LOCK:SALT";
inline constexpr const char* kLockDigestKey = "COMPONENT:LOCK:DIGEST";

// Writes the experiment to `path`: a temporary file beside it is written,
// synced and renamed over the old one, so a failed save never destroys the
// previous file. False (with a message in `error`) when it could not be written.
// `documentText` (optional) receives the document written, as UTF-8 text.
bool SaveFile(CExperiment& experiment, const std::string& path, std::string* error = nullptr,
              std::string* documentText = nullptr);

// Replaces the experiment by the file's content and leaves it linked, solved
// and updated for `time`. A file that cannot be read leaves the experiment as
// it was and returns false with a message in `error`.
// `solved` (optional) tells whether every graph could be analysed.
bool LoadFile(CExperiment& experiment, const std::string& path, long long time, std::string* error = nullptr,
              bool* solved = nullptr);

// The same two steps on document text in memory (UTF-8): the document a save
// would write, and a load from file bytes already read (GBK, as in a file).
CKeyDoc ExperimentDocument(CExperiment& experiment);
// Returns whether every graph could be analysed.
bool LoadFromBytes(CExperiment& experiment, const std::string& fileBytes, long long time);

// The file access both use, for other files of the program (autosaves): the
// whole file (refused above kMaxExperimentFileBytes), and the safe write of
// SaveFile (temporary file beside it, synced, renamed over the old one).
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr);
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// Files larger than this are refused: no experiment comes near it.
inline constexpr long long kMaxExperimentFileBytes = 64LL * 1024 * 1024;

} // namespace ampera
