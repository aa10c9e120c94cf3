// Shared pieces of the renderer tests: a picture loader over a set of
// pretend files, a sound player that records, and a renderer on both.
#pragma once

#include "frame_renderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace ampera::testing {

inline constexpr const char* kFakeAssets = "/fake-assets/";

class FakeLoader : public ITextureLoader {
  public:
    std::shared_ptr<CTextureImage> Load(const std::string& path) override {
        ++loads;
        requested.push_back(path);
        if (!files.count(path)) return nullptr;
        auto image = std::make_shared<CTextureImage>();
        image->width = image->height = 8;
        return image;
    }
    // Makes a picture name readable, as if its file were written.
    void Add(const std::string& name) {
        std::string path = kFakeAssets + name;
        for (char& c : path)
            if (c == '\\') c = '/';
        files.insert(path);
    }
    std::set<std::string> files;
    std::vector<std::string> requested;
    int loads = 0;
};

class RecordingSound : public ISoundPlayer {
  public:
    void PlaySoundFile(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

class RendererTest : public ::testing::Test {
  protected:
    RendererTest() {
        setenv("AMPERA_DATA", kFakeAssets, 1);
        loader = std::make_shared<FakeLoader>();
        for (const char* name :
             {kAbovePicture, kGlidePicture, "devpic\\a.tga", "devpic\\b.tga", "devpic\\c.tga"})
            loader->Add(name);
        resources = std::make_shared<CRenderResources>(loader);
        renderer = std::make_unique<CFrameRenderer>(resources, &sound);
        renderer->SetViewRect(0, 0, 800, 600);
    }

    // One frame: BeginFrame, the groups, EndFrame; the finished frame.
    const CFrame& Frame(std::vector<CSpriteGroup*> groups, long long time = 0) {
        EXPECT_TRUE(renderer->BeginFrame(time));
        for (CSpriteGroup* g : groups)
            renderer->DrawGroup(*g);
        renderer->EndFrame(time);
        return *renderer->LastFrame();
    }
    const CFrame& Frame(CSpriteGroup& group, long long time = 0) { return Frame(std::vector{&group}, time); }
    const CFrame& EmptyFrame(long long time) { return Frame(std::vector<CSpriteGroup*>{}, time); }

    static CDrawItem Quad(const std::string& picture, float l = 0, float t = 0, float r = 10, float b = 10) {
        return CDrawItem::Quad(l, t, r, b, picture);
    }
    static CDrawItem Line(float x0, float y0, float x1, float y1) {
        CDrawItem item;
        item.flags |= DRAW_LINE;
        item.SetRect(x0, y0, x1, y1);
        return item;
    }
    // The vertices of a block in the frame's buffer.
    static std::vector<CVertex> Vertices(const CFrame& frame, const CDrawBlock& block) {
        return {frame.vertices.begin() + block.start, frame.vertices.begin() + block.start + block.count};
    }
    static std::string NameOf(const CSpriteBatch& batch) {
        return batch.texture ? batch.texture->name : "(none)";
    }

    std::shared_ptr<FakeLoader> loader;
    std::shared_ptr<CRenderResources> resources;
    RecordingSound sound;
    std::unique_ptr<CFrameRenderer> renderer;
};

} // namespace ampera::testing
