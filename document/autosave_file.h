// Autosave files: the experiment document exactly as Save writes it, plus a
// mark that it is an autosave and the name of the file the experiment came
// from, so that a recovered experiment is saved back where the user meant.
// Loaded as an ordinary experiment file, an autosave reads as the experiment
// (the extra keys are ignored), and saving it again drops them.
#pragma once

#include <string>

namespace ampera {

class CExperiment;
class CKeyDoc;

inline constexpr const char* kAutosaveVersionKey = "COMPONENT:AUTOSAVE:VERSION";
inline constexpr const char* kAutosaveSourceKey = "COMPONENT:AUTOSAVE:SOURCE";
inline constexpr int kAutosaveVersion = 1;

// The file bytes of an autosave of `document` (what ExperimentDocument gave;
// the autosave keys are added to it), naming `source`: the absolute path of
// the user's file, "" when untitled.
std::string AutosaveBytes(CKeyDoc& document, const std::string& source);

// Checks an autosave's bytes without loading them: true when they carry the
// autosave mark and a well-formed source name (put into `source`); false with
// the reason in `error` otherwise.
bool ReadAutosaveSource(const std::string& bytes, std::string& source, std::string* error = nullptr);

// Replaces the experiment by the autosave's content, as Open does, after
// ReadAutosaveSource has accepted the bytes; false (experiment unchanged,
// reason in `error`) when it does not.
bool LoadAutosaveBytes(CExperiment& experiment, const std::string& bytes, long long time, std::string& source,
                       std::string* error = nullptr);

// The source name as it is kept in the file: bytes other than letters,
// digits and "/._-" written as %XX, so any path survives the text format and
// its character conversion.
std::string EncodeSourceName(const std::string& path);
// The reverse; false for a malformed or non-absolute name.
bool DecodeSourceName(const std::string& text, std::string& path);

} // namespace ampera
