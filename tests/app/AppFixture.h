#pragma once

// A CEarlarkApp over scripted ports, for start-up and command tests.
#include "app/CEarlarkApp.h"
#include "app/StartupPorts.h"
#include "document/CEarlarkDoc.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "support/FakeStartupPorts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

class AppFixture : public ::testing::Test {
protected:
    AppFixture() : m_app({m_prompts, m_dialogs, m_settings, m_instance, m_richText}, m_doc) {}

    bool Start(std::vector<std::string> args = {}) {
        return m_app.InitInstance(CommandLine::Parse(args), Paths());
    }
    AppPaths Paths() const {
        return {m_dir.Path("program") + "/", m_dir.Path("cache") + "/", m_dir.Path("data") + "/"};
    }

    // A valid study file with one sentence whose Original Text is the given text.
    std::string MakeStudy(const std::string& name, const std::u16string& text) {
        CEarlarkDoc doc;
        doc.OnNewDocument();
        auto s = std::make_unique<CEarlarkWaveSection>();
        s->m_strOriginal = text;
        doc.m_sections.Add(std::move(s));
        return m_dir.Write(name, doc.ToBytes());
    }

    std::u16string FirstText() const {
        return m_doc.m_sections.GetSize() ? m_doc.m_sections.GetAt(0)->m_strOriginal : u"";
    }

    TempDir m_dir;
    ScriptedPrompts m_prompts;
    ScriptedFileDialogs m_dialogs;
    MemorySettingsStore m_settings;
    FakeInstanceGuard m_instance;
    FakeRichText m_richText;
    CEarlarkDoc m_doc;
    CEarlarkApp m_app;
};
