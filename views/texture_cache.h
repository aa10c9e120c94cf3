// Pictures by name. A picture that cannot be read is not remembered, so the
// next request tries the file again (it may appear later).
#pragma once

#include "frame.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace ampera {

// Decodes picture files; the graphics layer supplies one, tests fake it.
class ITextureLoader {
  public:
    virtual ~ITextureLoader() = default;
    // The picture at a file path, or null when it cannot be read.
    virtual std::shared_ptr<CTextureImage> Load(const std::string& path) = 0;
};

class CTextureCache {
  public:
    explicit CTextureCache(std::shared_ptr<ITextureLoader> loader) : m_loader(std::move(loader)) {}

    // The cached picture of a name (compared as bytes), loading it from the
    // asset folder on a miss; null when there is no loader or the file
    // cannot be read.
    const CTextureImage* Get(const std::string& name);
    // The owning pointer of a cached picture (frames keep pictures alive).
    std::shared_ptr<const CTextureImage> Share(const CTextureImage* texture) const;
    void Clear() {
        m_textures.clear();
        m_byHandle.clear();
    }
    std::size_t Size() const { return m_textures.size(); }

  private:
    std::shared_ptr<ITextureLoader> m_loader;
    std::map<std::string, std::shared_ptr<CTextureImage>, std::less<>> m_textures;
    std::map<const CTextureImage*, std::shared_ptr<CTextureImage>> m_byHandle;
    std::uint64_t m_nextId = 1;
};

} // namespace ampera
