// The renderer's logic, independent of any graphics interface: submitted
// items become vertex lists batched by picture, laid into one vertex buffer
// (as large as the frame needs) in a fixed order, and handed over as a
// finished CFrame when it draws something new. The graphics backend only
// uploads pictures and draws that frame.
#pragma once

#include "core/experiment.h"
#include "hand_over.h"
#include "renderer.h"
#include "text_font.h"
#include "texture_cache.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace ampera {

inline constexpr const char* kAbovePicture = "devpic\\panal\\above.tga";
inline constexpr const char* kGlidePicture = "devpic\\resglideflip.tga";
inline constexpr const char* kWarningSound = "warning.wav";
inline constexpr const char* kCapacityNotice = "过多的绘制元素，无法绘制所有元素";
inline constexpr std::uint32_t kWarningTextColour = 0xFFFF0000;
inline constexpr int kWarningTextSize = 16;
inline constexpr int kInformationTextSize = 14;

// Plays a sound file (the application services do, with their repeat rule).
class ISoundPlayer {
  public:
    virtual ~ISoundPlayer() = default;
    virtual void PlaySoundFile(const std::string& path) = 0;
};

// What all renderers of the process share: the picture cache and the fonts.
// Used on the frame-loop thread only (or while the loop is stopped).
struct CRenderResources {
    explicit CRenderResources(std::shared_ptr<ITextureLoader> loader) : textures(std::move(loader)) {}
    CTextureCache textures;
    CFontCache fonts;
    std::uint64_t textPasses = 0; // numbers every text generation of any renderer
};

class CFrameRenderer : public CRenderer {
  public:
    // `sound` may be null (silent); `output` receives frames on Present and
    // may be null (frames are then only kept for TakeFrame).
    CFrameRenderer(std::shared_ptr<CRenderResources> resources, ISoundPlayer* sound,
                   std::shared_ptr<CFrameSlot> output = nullptr);

    void Shutdown() override;
    bool BeginFrame(long long time) override;
    void EndFrame(long long time) override;
    void Present() override;
    void SetViewRect(float left, float top, float right, float bottom) override;
    bool ResetDevice() override;
    TextureHandle GetTexture(const std::string& name) override;
    void SetAlphaBlend(bool on) override { m_alphaBlend = on; }
    void DrawGroup(CSpriteGroup& group) override;
    void AddLabel(const std::string& text, int x, int y) override;
    void PostNotice(const CNotice& notice) override;
    bool IsDeviceReady() override { return m_deviceReady.load() && (!m_output || m_output->Ready()); }
    // Colour changes come from the user-interface thread.
    void SetClearColour(std::uint32_t argb) override { m_clearColour.store(argb); }
    void SetTextColour(std::uint32_t argb) override { m_textColour.store(argb); }
    std::uint32_t TextColour() const { return m_textColour.load(); }

    // The graphics backend reports whether it can draw (a lost context).
    void SetDeviceReady(bool ready) { m_deviceReady.store(ready); }
    // The frame finished by the last EndFrame and not yet presented.
    const CFrame* LastFrame() const { return m_frame.get(); }
    std::unique_ptr<CFrame> TakeFrame() { return std::move(m_frame); }

    std::uint32_t Generation() const { return m_generation; }
    CRectF ViewRect() const { return m_view; }
    // Copies of the two notice slots.
    CNotice WarningSlot() const;
    CNotice InformationSlot() const;
    const std::shared_ptr<CRenderResources>& Resources() const { return m_resources; }

  private:
    struct SpriteBatch {
        std::shared_ptr<const CTextureImage> texture;
        std::vector<CVertex> vertices;
    };
    // Ordinary pictures in load order; the shared panel sheet after them and
    // the rheostat slider last, so these two lie on top.
    struct BatchKey {
        int rank = 0;
        std::uint64_t id = 0;
        auto operator<=>(const BatchKey&) const = default;
    };
    struct Strip {
        std::vector<CVertex> vertices;
        std::vector<std::array<float, 2>> offsets;
    };

    void Submit(CDrawItem& item);
    void EmitLine(CDrawItem& item);
    void EmitQuad(CDrawItem& item);
    void SubmitWaveform(const CSpriteGroup& group);
    SpriteBatch& BatchFor(CDrawItem& item);
    CDrawBlock Place(CFrame& frame, const std::vector<CVertex>& vertices, std::uint32_t perPrimitive);
    void GenerateText(CFrame& frame);
    void QueueNotice(CNotice& slot, CTextFont& font);

    std::shared_ptr<CRenderResources> m_resources;
    ISoundPlayer* m_sound;
    std::shared_ptr<CFrameSlot> m_output;
    std::unique_ptr<CFrame> m_frame;
    // What the last frame handed over draws (null before the first).
    std::unique_ptr<CFrame> m_presented;

    CRectF m_view{0, 0, 0, 0};
    int m_viewX = 0, m_viewY = 0, m_viewWidth = 0, m_viewHeight = 0;
    bool m_alphaBlend = true;
    std::atomic<bool> m_deviceReady{true};
    std::uint32_t m_generation = 0;
    std::atomic<std::uint32_t> m_clearColour{0xFFFFFFFF}; // white board
    std::atomic<std::uint32_t> m_textColour{0xFF0000FF};  // blue text
    std::uint32_t m_lastTextColour = 0xFF0000FF;
    long long m_frameTime = 0;
    long long m_frameDelta = 0;
    bool m_firstFrame = true;
    std::uint64_t m_frameNumber = 0;

    std::map<BatchKey, SpriteBatch> m_sprites;
    std::unordered_map<const CTextureImage*, SpriteBatch*> m_batchOf;
    std::vector<CVertex> m_lines;
    std::vector<Strip> m_strips;
    std::vector<CVertex> m_overlay; // scratch for one font's glyph quads

    // The hand-over points: PostNotice may come from the user-interface thread.
    struct Label {
        std::string text;
        int x, y;
    };
    mutable std::mutex m_noticeMutex;
    CNotice m_warning{NOTICE_WARNING, 0, -1, -1, 0, {}};
    CNotice m_information{NOTICE_INFORMATION, 0, -1, -1, 0, {}};
    std::vector<Label> m_labels;
};

} // namespace ampera
