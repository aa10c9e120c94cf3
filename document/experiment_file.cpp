#include "experiment_file.h"

#include "core/experiment.h"
#include "devices/kind_registry.h"
#include "gbk.h"
#include "keydoc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace ampera {

namespace {

struct ListKey {
    const char* count;
    int category; // -1: a list no object is written into
};

// In file order. Sources take category 5 first, so the signal-generator list
// is always written empty; items a file has there still load.
constexpr ListKey kLists[] = {
    {"COMPONENT:RESISTANCE:NUM", CATEGORY_RESISTANCE},
    {"COMPONENT:METER:NUM", CATEGORY_METER},
    {"COMPONENT:ELECTRICITY:NUM", CATEGORY_ELECTRICITY},
    {"COMPONENT:SWITCH:NUM", CATEGORY_SWITCH},
    {"COMPONENT:CAPACITANCE:NUM", CATEGORY_CAPACITANCE},
    {"COMPONENT:INDUCTANCE:NUM", CATEGORY_INDUCTANCE},
    {"COMPONENT:SIGNALGENERATOR:NUM", -1},
    {"COMPONENT:NODE:NUM", CATEGORY_NODE},
    {"COMPONENT:WIRE:NUM", CATEGORY_WIRE},
};

std::string ListElement(const char* countKey) {
    std::string path = countKey;
    return path.substr(0, path.rfind(':'));
}

// The name of a list's items without their number: "NUM".
std::string ItemStem(const char* countKey) {
    std::string path = countKey;
    return path.substr(path.rfind(':') + 1);
}

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

// Text mode: CR LF becomes LF and NUL bytes are dropped.
std::string TextMode(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    const bool nul = std::memchr(p, '\0', bytes.size()) != nullptr;
    while (p < end) {
        // Copy up to the next CR (or NUL, where the file has any) in one go.
        const char* stop = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
        if (!stop) stop = end;
        if (nul) stop = std::find(p, stop, '\0');
        out.append(p, static_cast<std::size_t>(stop - p));
        if (stop == end) break;
        if (*stop == '\r' && !(stop + 1 < end && stop[1] == '\n')) out += '\r';
        p = stop + 1;
    }
    return out;
}

void Relink(CExperiment& experiment) {
    std::unordered_multimap<int, CComponent*> devices, nodes;
    for (CComponent* o : experiment.AllObjects()) {
        if (o->Category() == CATEGORY_NODE)
            nodes.emplace(o->Id(), o);
        else if (o->Category() != CATEGORY_WIRE)
            devices.emplace(o->Id(), o);
    }
    for (CComponent* o : experiment.Nodes()) {
        auto* node = static_cast<CNode*>(o);
        for (auto [id, location] : node->m_pendingLinks) {
            auto [first, last] = devices.equal_range(id);
            for (auto it = first; it != last; ++it) {
                CComponent* device = it->second;
                // A terminal index the device does not have is ignored.
                if (location < 0 || static_cast<std::size_t>(location) >= device->TerminalSlots()) continue;
                // Ids shared by several objects link every match, but a pair that is
                // already linked is not linked twice: saving and loading stays stable.
                const auto slot = static_cast<std::size_t>(location);
                if (slot < device->m_terminals.size() && device->m_terminals[slot] == node &&
                    std::find(node->m_attached.begin(), node->m_attached.end(), device) !=
                        node->m_attached.end())
                    continue;
                // A terminal is on one node: a later link to it wins, and the node
                // it leaves no longer lists the device for that terminal (a node
                // lists a device once for each of its terminals there).
                if (slot < device->m_terminals.size() && device->m_terminals[slot]) {
                    auto& left = device->m_terminals[slot]->m_attached;
                    const auto it = std::find(left.begin(), left.end(), device);
                    if (it != left.end()) left.erase(it);
                }
                node->m_attached.push_back(device);
                if (device->m_terminals.size() < static_cast<std::size_t>(location) + 1)
                    device->m_terminals.resize(static_cast<std::size_t>(location) + 1, nullptr);
                device->m_terminals[static_cast<std::size_t>(location)] = node;
            }
        }
        node->m_pendingLinks.clear();
    }
    for (CComponent* o : experiment.Wires()) {
        auto* wire = static_cast<CWire*>(o);
        for (bool left : {true, false}) {
            // A save writes -1 for an end on no node; a node a file numbers -1
            // is not the end of such a wire.
            const int id = left ? wire->m_pendingLeft : wire->m_pendingRight;
            if (id == -1) continue;
            auto [first, last] = nodes.equal_range(id);
            for (auto it = first; it != last; ++it) {
                auto* node = static_cast<CNode*>(it->second);
                (left ? wire->m_nodeA : wire->m_nodeB) = node;
                node->m_attached.push_back(wire);
            }
        }
        // A wire stored without its points is drawn straight between its ends.
        if (wire->m_points.size() < 2 && wire->m_nodeA && wire->m_nodeB)
            wire->m_points = {wire->m_nodeA->Position(), wire->m_nodeB->Position()};
        wire->RebuildLines();
    }
}

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        SetError(error, "无法打开文件：" + path);
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        SetError(error, "无法读取文件：" + path);
        return false;
    }
    if (size > kMaxExperimentFileBytes) {
        SetError(error, "文件太大，不是实验文件：" + path);
        return false;
    }
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(bytes.data(), size)) {
        SetError(error, "无法读取文件：" + path);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    const std::string temp = path + ".saving";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        SetError(error, "无法写入文件：" + path + "（" + std::strerror(errno) + "）");
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    const int savedErrno = errno;
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        SetError(error,
                 "无法写入文件：" + path + "（" + std::strerror(savedErrno ? savedErrno : errno) + "）");
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const std::string folder =
        path.find('/') == std::string::npos ? "." : path.substr(0, path.rfind('/') + 1);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

CKeyDoc ExperimentDocument(CExperiment& experiment) {
    CKeyDoc doc;
    doc.SetString("COMPONENT:ABSTRACTNAME", CComponent::StorableText(experiment.m_abstractName));
    // Only a locked experiment has the lock keys: other files stay as they were.
    if (experiment.m_locked) {
        doc.SetBool(kLockKey, true);
        doc.SetString(kLockSaltKey, experiment.m_lockSalt);
        doc.SetString(kLockDigestKey, experiment.m_lockDigest);
    }
    for (const ListKey& list : kLists) {
        std::vector<CComponent*> items;
        if (list.category >= 0)
            for (CComponent* o : experiment.AllObjects())
                if (o->Category() == list.category) items.push_back(o);
        doc.SetUInt(list.count, static_cast<std::uint32_t>(items.size()));
        for (std::size_t j = 0; j < items.size(); ++j) {
            const std::string prefix = list.count + std::to_string(j);
            doc.SetInt(prefix + ":TYPE", items[j]->TypeCode());
            items[j]->Persist(doc, false, prefix);
        }
    }
    return doc;
}

bool SaveFile(CExperiment& experiment, const std::string& path, std::string* error,
              std::string* documentText) {
    std::string text = ExperimentDocument(experiment).ToText();
    if (!WriteFileAtomically(path, Utf8ToGbk(text), error)) return false;
    if (documentText) *documentText = std::move(text);
    return true;
}

bool LoadFromBytes(CExperiment& experiment, const std::string& fileBytes, long long time) {
    CKeyDoc doc;
    doc.Parse(GbkToUtf8(TextMode(fileBytes)));

    experiment.ClearExperiment();
    experiment.m_boardState.outlines.clear();
    doc.GetString("COMPONENT:ABSTRACTNAME", experiment.m_abstractName, "");
    bool locked = false;
    doc.GetBool(kLockKey, locked, false);
    experiment.m_locked = locked ? 1 : 0;
    if (locked) {
        doc.GetString(kLockSaltKey, experiment.m_lockSalt, "");
        doc.GetString(kLockDigestKey, experiment.m_lockDigest, "");
    }
    for (const ListKey& list : kLists) {
        int count = 0;
        doc.GetInt(list.count, count, 0);
        // Only the items the file really holds are read, in number order: a
        // count can claim more than there are, and numbers can be missing.
        for (const std::uint32_t j :
             doc.NumberedChildren(ListElement(list.count), ItemStem(list.count), count)) {
            const std::string prefix = list.count + std::to_string(j);
            int type = 0;
            doc.GetInt(prefix + ":TYPE", type, 0);
            CComponent* object = CreateObject(type);
            if (!object) continue;
            object->Persist(doc, true, prefix);
            experiment.AddObject(object, false);
        }
    }
    Relink(experiment);
    experiment.RebuildTopology();
    experiment.m_topologyDirty = 0;
    const bool solved = experiment.Solver().Solve(experiment);
    experiment.m_valuesDirty = 0;
    experiment.UpdateAll(time);
    return solved;
}

bool LoadFile(CExperiment& experiment, const std::string& path, long long time, std::string* error,
              bool* solved) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    const bool allSolved = LoadFromBytes(experiment, bytes, time);
    if (solved) *solved = allSolved;
    return true;
}

} // namespace ampera
