#include "autosave_file.h"

#include "experiment_file.h"
#include "gbk.h"
#include "keydoc.h"

namespace ampera {

namespace {

bool Plain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '.' || c == '_' || c == '-';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

} // namespace

std::string EncodeSourceName(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(path.size());
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (Plain(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

bool DecodeSourceName(const std::string& text, std::string& path) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '%') {
            if (i + 2 >= text.size()) return false;
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) return false;
            const char decoded = static_cast<char>(high * 16 + low);
            if (decoded == '\0') return false;
            out += decoded;
            i += 2;
        } else if (Plain(c)) {
            out += text[i];
        } else {
            return false;
        }
    }
    if (!out.empty() && out.front() != '/') return false;
    path = std::move(out);
    return true;
}

std::string AutosaveBytes(CKeyDoc& document, const std::string& source) {
    document.SetInt(kAutosaveVersionKey, kAutosaveVersion);
    document.SetString(kAutosaveSourceKey, EncodeSourceName(source));
    return Utf8ToGbk(document.ToText());
}

bool ReadAutosaveSource(const std::string& bytes, std::string& source, std::string* error) {
    if (bytes.size() > static_cast<std::size_t>(kMaxExperimentFileBytes)) {
        SetError(error, "文件太大，不是自动保存的实验");
        return false;
    }
    CKeyDoc doc;
    doc.Parse(GbkToUtf8(bytes));
    int version = 0;
    if (!doc.GetInt(kAutosaveVersionKey, version, 0) || version != kAutosaveVersion) {
        SetError(error, "文件没有自动保存的标记，内容可能已损坏");
        return false;
    }
    std::string encoded;
    if (!doc.GetString(kAutosaveSourceKey, encoded, "") || !DecodeSourceName(encoded, source)) {
        SetError(error, "自动保存记录的原文件名无法识别");
        return false;
    }
    return true;
}

bool LoadAutosaveBytes(CExperiment& experiment, const std::string& bytes, long long time, std::string& source,
                       std::string* error) {
    std::string named;
    if (!ReadAutosaveSource(bytes, named, error)) return false;
    LoadFromBytes(experiment, bytes, time);
    source = std::move(named);
    return true;
}

} // namespace ampera
