// Shared by the user-command tests: a started program with the sample's library configuration
// opened as the console's documents-menu verb opens it (library "Samples" over the sample
// documents, "Prototypes").
#pragma once

#include <gtest/gtest.h>

#include "platform/kernel.h"
#include "tests/support/session_test.h"

class StartedWithSampleLibraries : public platform::harness::SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        DocumentsMenu::IConfiguration* configuration = DocumentsMenu::CreateConfiguration(L"Libraries", false);
        ASSERT_NE(configuration, nullptr);
        ASSERT_TRUE(configuration->Load(L"C:\\Users\\user\\Documents\\Libraries.tws"));
        ASSERT_TRUE(DocumentsMenu::GlobalCfgGroup()->AddConfiguration(configuration));
    }

    platform::harness::Session s;
};
