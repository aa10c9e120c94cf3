// The renderer interface every view draws through, and the do-nothing
// renderer that stands in when no graphics context can be made.
#pragma once

#include "core/draw_item.h"
#include "core/notice.h"
#include "frame.h"

#include <cstdint>
#include <string>

namespace ampera {

// A picture in the texture cache; null means "none" (drawn untextured).
using TextureHandle = const CTextureImage*;

// Frame by frame a view calls BeginFrame(time); when it returned true,
// DrawGroup for every group to show and AddLabel for its labels, then
// EndFrame(time) and Present.
class CRenderer : public INoticeSink {
  public:
    ~CRenderer() override = default;
    // Releases pictures and fonts.
    virtual void Shutdown() = 0;
    // Starts a frame; false when there is nothing to draw into (skip the frame).
    virtual bool BeginFrame(long long time) = 0;
    // Fills the vertex buffer from what was submitted and finishes the frame.
    virtual void EndFrame(long long time) = 0;
    // Hands the finished frame to the window.
    virtual void Present() = 0;
    // Window pixels of the view; a width or height under 5 is ignored.
    virtual void SetViewRect(float left, float top, float right, float bottom) = 0;
    // Recovers a lost device; every item reloads its picture afterwards.
    virtual bool ResetDevice() = 0;
    virtual TextureHandle GetTexture(const std::string& name) = 0;
    virtual void SetAlphaBlend(bool on) = 0;
    // Submits a group: items B, then items A, then its waveform.
    virtual void DrawGroup(CSpriteGroup& group) = 0;
    // A text for this frame only, top-left corner at board (x, y).
    void AddLabel(const std::string& text, int x, int y) override = 0;
    // Replaces the warning (kind 0, with the warning sound) or the
    // information notice. Safe from any thread.
    void PostNotice(const CNotice& notice) override = 0;
    virtual bool IsDeviceReady() = 0;

    // The colour the target is cleared to (0xAARRGGBB): the board background
    // in the real view, yellow in the symbol view.
    virtual void SetClearColour(std::uint32_t /*argb*/) {}
    // The colour of information notices and labels (0xAARRGGBB).
    virtual void SetTextColour(std::uint32_t /*argb*/) {}
};

class CNullRenderer final : public CRenderer {
  public:
    void Shutdown() override {}
    bool BeginFrame(long long) override { return true; }
    void EndFrame(long long) override {}
    void Present() override {}
    void SetViewRect(float, float, float, float) override {}
    bool ResetDevice() override { return true; }
    TextureHandle GetTexture(const std::string&) override { return nullptr; }
    void SetAlphaBlend(bool) override {}
    void DrawGroup(CSpriteGroup&) override {}
    void AddLabel(const std::string&, int, int) override {}
    void PostNotice(const CNotice&) override {}
    bool IsDeviceReady() override { return true; }
};

} // namespace ampera
