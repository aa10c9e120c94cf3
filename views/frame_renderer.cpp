#include "frame_renderer.h"

#include "asset_path.h"

#include <algorithm>
#include <cmath>

namespace ampera {

namespace {

constexpr std::uint32_t kReloadFlags = DRAW_GENERATION | DRAW_SUBMITTED | DRAW_RELOAD; // 0x1808
constexpr int kQuadPulseStep = 3;
constexpr int kLinePulseStep = 1;
// The angle below which a turned item is drawn upright (radians).
constexpr float kNoTurn = 0.001f;
constexpr float kPi = 3.1415925f;

// One pulse step: the alpha climbs to alpha max, turns, falls to alpha min
// and turns again. Comparisons are made in int, so a step past 255 or below 0
// turns instead of wrapping.
void StepPulse(CDrawItem& item, int step) {
    const int alpha = item.alpha;
    if (item.flags & DRAW_PULSE_UP) {
        if (item.alphaMax < alpha + step) {
            item.flags &= ~DRAW_PULSE_UP;
            item.alpha = static_cast<std::uint8_t>(alpha - step);
        } else {
            item.alpha = static_cast<std::uint8_t>(alpha + step);
        }
    } else {
        if (alpha - step < item.alphaMin) {
            item.flags |= DRAW_PULSE_UP;
            item.alpha = static_cast<std::uint8_t>(alpha + step);
        } else {
            item.alpha = static_cast<std::uint8_t>(alpha - step);
        }
    }
}

std::uint32_t VertexColour(const CDrawItem& item) {
    const std::uint32_t alpha = (item.flags & DRAW_PULSE) ? item.alpha : 255u;
    const std::uint32_t rgb = (item.flags & DRAW_TINT) ? (item.colour & 0xFFFFFFu) : 0xFFFFFFu;
    return alpha << 24 | rgb;
}

} // namespace

CFrameRenderer::CFrameRenderer(std::shared_ptr<CRenderResources> resources, ISoundPlayer* sound,
                               std::shared_ptr<CFrameSlot> output)
    : m_resources(std::move(resources)), m_sound(sound), m_output(std::move(output)) {
    // The two pictures that sort last are looked up first, as every other
    // picture after them gets a later load number anyway.
    GetTexture(kAbovePicture);
    GetTexture(kGlidePicture);
}

void CFrameRenderer::Shutdown() {
    m_sprites.clear();
    m_batchOf.clear();
    m_resources->textures.Clear();
    m_resources->fonts.Clear();
    // Items still hold handles of the released pictures: make them look up again.
    ++m_generation;
}

TextureHandle CFrameRenderer::GetTexture(const std::string& name) {
    if (name.empty()) return nullptr;
    return m_resources->textures.Get(name);
}

bool CFrameRenderer::BeginFrame(long long time) {
    // The first frame has no previous one: nothing has elapsed for the notices.
    m_frameDelta = m_firstFrame ? 0 : std::max(0LL, time - m_frameTime);
    m_firstFrame = false;
    m_frameTime = time;
    for (auto& [key, batch] : m_sprites)
        batch.vertices.clear();
    m_lines.clear();
    m_strips.clear();
    SetAlphaBlend(true);
    if (!IsDeviceReady()) {
        // The frame is skipped: labels queued for it would pile up otherwise.
        std::lock_guard lock(m_noticeMutex);
        m_labels.clear();
        return false;
    }
    SetViewRect(m_view.left, m_view.top, m_view.right, m_view.bottom);
    return true;
}

void CFrameRenderer::SetViewRect(float left, float top, float right, float bottom) {
    const int w = static_cast<int>(right - left);
    const int h = static_cast<int>(bottom - top);
    if (w < 5 || h < 5) return;
    m_viewX = static_cast<int>(left);
    m_viewY = static_cast<int>(top);
    m_viewWidth = w;
    m_viewHeight = h;
    m_view = {left, top, left + w, top + h};
}

bool CFrameRenderer::ResetDevice() {
    ++m_generation;
    return IsDeviceReady();
}

void CFrameRenderer::DrawGroup(CSpriteGroup& group) {
    for (CDrawItem& item : group.itemsB)
        Submit(item);
    for (CDrawItem& item : group.itemsA)
        Submit(item);
    if (group.hasWaveform) SubmitWaveform(group);
}

void CFrameRenderer::Submit(CDrawItem& item) {
    if ((item.flags & DRAW_HIDDEN) && item.generation == m_generation) return;
    if (item.generation != m_generation) {
        item.flags |= kReloadFlags;
        item.generation = m_generation;
    }
    item.flags |= DRAW_SUBMITTED;
    if (item.flags & DRAW_RELOAD) {
        item.handle = GetTexture(item.texture);
        item.flags &= ~DRAW_RELOAD;
    }
    if (item.flags & DRAW_LINE)
        EmitLine(item);
    else
        EmitQuad(item);
    item.flags &= ~DRAW_SUBMITTED;
}

void CFrameRenderer::EmitLine(CDrawItem& item) {
    if (item.flags & DRAW_PULSE) StepPulse(item, kLinePulseStep);
    const std::uint32_t colour = VertexColour(item);
    m_lines.push_back({item.left, -item.top, 0, colour, 0, 0});
    m_lines.push_back({item.right, -item.bottom, 0, colour, 0, 0});
}

CFrameRenderer::SpriteBatch& CFrameRenderer::BatchFor(CDrawItem& item) {
    auto* texture = static_cast<TextureHandle>(item.handle);
    if (auto it = m_batchOf.find(texture); it != m_batchOf.end()) return *it->second;
    std::shared_ptr<const CTextureImage> shared = m_resources->textures.Share(texture);
    if (!shared && texture) {
        // A handle from before the cache was emptied: draw untextured.
        item.handle = texture = nullptr;
        if (auto it = m_batchOf.find(nullptr); it != m_batchOf.end()) return *it->second;
    }
    BatchKey key;
    if (shared) {
        key.rank = shared->name == kGlidePicture ? 3 : shared->name == kAbovePicture ? 2 : 1;
        key.id = key.rank == 1 ? shared->id : 0;
    }
    SpriteBatch& batch = m_sprites[key];
    batch.texture = std::move(shared);
    m_batchOf[texture] = &batch;
    return batch;
}

void CFrameRenderer::EmitQuad(CDrawItem& item) {
    if (item.flags & DRAW_PULSE) StepPulse(item, kQuadPulseStep);
    const std::uint32_t colour = VertexColour(item);
    float x[4], y[4]; // top-left, top-right, bottom-right, bottom-left, board y downwards
    if ((item.flags & DRAW_ROTATE) && std::fabs(item.angle) > kNoTurn) {
        const float w = item.right - item.left, h = item.bottom - item.top;
        const float cx = std::trunc((item.left + item.right) / 2);
        const float cy = std::trunc((item.top + item.bottom) / 2);
        const float g = std::sqrt(w * w + h * h) / 2;
        // atan(h / w), with a zero width read as a quarter turn instead of 0/0.
        const float f = w != 0 ? std::atan(h / w) : std::atan2(h, w);
        const float a = item.angle;
        const float theta[4] = {a + (f + kPi), a - f, a + f, a + (kPi - f)};
        for (int k = 0; k < 4; ++k) {
            x[k] = cx + g * std::cos(theta[k]);
            y[k] = cy + g * std::sin(theta[k]);
        }
    } else {
        x[0] = item.left, y[0] = item.top;
        x[1] = item.right, y[1] = item.top;
        x[2] = item.right, y[2] = item.bottom;
        x[3] = item.left, y[3] = item.bottom;
    }
    CVertex corner[4];
    for (int k = 0; k < 4; ++k)
        corner[k] = {x[k], -y[k], 0, colour, item.u[k], item.v[k]};
    std::vector<CVertex>& out = BatchFor(item).vertices;
    out.insert(out.end(), {corner[0], corner[1], corner[3], corner[1], corner[2], corner[3]});
}

void CFrameRenderer::SubmitWaveform(const CSpriteGroup& group) {
    const std::size_t first = m_strips.size();
    const bool groupColour = (group.flags & 0x2) != 0;
    // Traces are meant to show in their colours: the colour words carry no
    // alpha, so the vertices are made opaque.
    for (const auto& polyline : group.polylines) {
        Strip strip;
        strip.vertices.reserve(polyline.size());
        for (const CWavePoint& p : polyline) {
            const std::uint32_t rgb = groupColour ? group.colour : static_cast<std::uint32_t>(p.colour);
            strip.vertices.push_back({p.x, p.y, 0, 0xFF000000u | (rgb & 0xFFFFFFu), 0, 0});
        }
        m_strips.push_back(std::move(strip));
    }
    // Thicker traces are the same strip drawn again a fraction of a pixel aside.
    static constexpr float kSingle[][2] = {{0, 0}};
    static constexpr float kDouble[][2] = {{-0.1f, 0}, {0, 0}, {0.1f, 0}};
    static constexpr float kFive[][2] = {{0, 0}, {0.3f, 0}, {-0.3f, 0}, {0, 0.3f}, {0, -0.3f}};
    const float(*pattern)[2] = group.thickness == 1 ? kSingle : group.thickness == 2 ? kDouble : kFive;
    const int passes = group.thickness == 1 ? 1 : group.thickness == 2 ? 3 : 5;

    // The first repetition starts a phase's fraction of a period to the left.
    double start = 0;
    if (group.divisor != 0)
        start = std::trunc(static_cast<double>(group.phase) / group.divisor * group.period);
    std::vector<std::array<float, 2>> offsets;
    const auto repeat = [&](double k) {
        for (int p = 0; p < passes; ++p)
            offsets.push_back({static_cast<float>(group.originX + k + pattern[p][0]),
                               static_cast<float>(-group.originY + pattern[p][1])});
    };
    if (group.period > 0) {
        for (double k = -start; k < group.span; k += group.period)
            repeat(k);
    } else if (-start < group.span) {
        repeat(-start); // no period: a single repetition instead of an endless one
    }
    for (std::size_t s = first; s < m_strips.size(); ++s)
        m_strips[s].offsets = offsets;
}

void CFrameRenderer::AddLabel(const std::string& text, int x, int y) {
    std::lock_guard lock(m_noticeMutex);
    m_labels.push_back({text, x, y});
}

void CFrameRenderer::PostNotice(const CNotice& notice) {
    {
        std::lock_guard lock(m_noticeMutex);
        (notice.kind == NOTICE_WARNING ? m_warning : m_information) = notice;
    }
    if (notice.kind == NOTICE_WARNING && m_sound) m_sound->PlaySoundFile(AssetPath(kWarningSound));
}

CNotice CFrameRenderer::WarningSlot() const {
    std::lock_guard lock(m_noticeMutex);
    return m_warning;
}

CNotice CFrameRenderer::InformationSlot() const {
    std::lock_guard lock(m_noticeMutex);
    return m_information;
}

CDrawBlock CFrameRenderer::Place(CFrame& frame, const std::vector<CVertex>& vertices,
                                 std::uint32_t perPrimitive) {
    CDrawBlock block;
    block.start = static_cast<std::uint32_t>(frame.vertices.size());
    block.count = static_cast<std::uint32_t>(vertices.size());
    frame.vertices.insert(frame.vertices.end(), vertices.begin(), vertices.end());
    if (perPrimitive == 0) // a line strip
        block.primitives = block.count > 0 ? block.count - 1 : 0;
    else
        block.primitives = block.count / perPrimitive;
    return block;
}

void CFrameRenderer::QueueNotice(CNotice& slot, CTextFont& font) {
    if (slot.duration != -1) {
        slot.duration -= static_cast<int>(std::min<long long>(m_frameDelta, 1 << 30));
        if (slot.duration < 1) slot.active = 0; // still drawn this frame
    }
    if (slot.x == -1) slot.x = static_cast<int>((m_view.left + m_view.right) / 2);
    if (slot.y == -1) slot.y = static_cast<int>((m_view.top + m_view.bottom) / 2);
    font.Queue(slot.text, slot.x, slot.y);
}

void CFrameRenderer::GenerateText(CFrame& frame) {
    CFontCache& fonts = m_resources->fonts;
    const std::uint32_t textColour = m_textColour.load();
    if (textColour != m_lastTextColour) {
        fonts.Remove(kTextFace, kInformationTextSize, m_lastTextColour);
        m_lastTextColour = textColour;
    }
    {
        std::lock_guard lock(m_noticeMutex);
        if (m_warning.active)
            QueueNotice(m_warning, fonts.Get(kTextFace, kWarningTextSize, kWarningTextColour));
        if (m_information.active)
            QueueNotice(m_information, fonts.Get(kTextFace, kInformationTextSize, textColour));
        if (!m_labels.empty()) {
            CTextFont& font = fonts.Get(kTextFace, kInformationTextSize, textColour);
            for (Label& label : m_labels)
                font.Queue(std::move(label.text), label.x, label.y);
            m_labels.clear();
        }
    }
    const std::uint64_t pass = ++m_resources->textPasses;
    for (auto& font : fonts.Fonts()) {
        if (!font->HasRuns()) continue;
        m_overlay.clear();
        font->Generate(m_overlay, pass);
        COverlayBatch batch;
        batch.block = Place(frame, m_overlay, 3);
        batch.page = font->Page();
        frame.overlays.push_back(std::move(batch));
    }
}

void CFrameRenderer::EndFrame(long long time) {
    if (!m_frame) m_frame = m_output ? m_output->Spare() : std::make_unique<CFrame>();
    CFrame& frame = *m_frame;
    frame.Clear();
    frame.time = time;
    frame.viewportX = m_viewX;
    frame.viewportY = m_viewY;
    frame.viewportWidth = m_viewWidth;
    frame.viewportHeight = m_viewHeight;
    frame.worldX = static_cast<float>(-(m_viewWidth / 2));
    frame.worldY = static_cast<float>(m_viewHeight / 2);
    frame.viewProjection = ViewProjection(m_viewWidth, m_viewHeight);
    frame.clearColour = m_clearColour.load();
    frame.alphaBlend = m_alphaBlend;
    frame.vertices.reserve(kInitialVertices);

    for (auto& [key, batch] : m_sprites) {
        if (batch.vertices.empty()) continue;
        frame.sprites.push_back({batch.texture, Place(frame, batch.vertices, 3)});
    }
    frame.lines = Place(frame, m_lines, 2);
    for (Strip& strip : m_strips)
        frame.strips.push_back({Place(frame, strip.vertices, 0), strip.offsets});
    // The window could not take the last frame's vertices: said in this very
    // frame, as text generation follows.
    if (m_output && m_output->TakeDrawFailure())
        PostNotice(CNotice{NOTICE_WARNING, 0, -1, -1, 1, kCapacityNotice});
    GenerateText(frame);
}

void CFrameRenderer::Present() {
    if (!m_output || !m_frame) return;
    // A frame that draws what the window shows already is not handed over:
    // the window keeps showing its last one, and an idle bench costs no
    // drawing at all.
    if (m_presented && SameDrawing(*m_frame, *m_presented)) return;
    if (!m_presented) m_presented = std::make_unique<CFrame>();
    *m_presented = *m_frame;
    m_output->Publish(std::move(m_frame));
}

} // namespace ampera
