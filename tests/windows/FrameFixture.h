#pragma once

#include "MainFrame.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

// A real main window over a fake UDP table (no rows until a test adds some; the first
// poll comes one second after creation) and fake look-ups, shown and painted.
class CFrameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CFakeUdpTable* table = nullptr;
    std::shared_ptr<CFakeNameLookup> lookup = std::make_shared<CFakeNameLookup>();
    CMainFrame* frame = nullptr;
    HWND hwnd = nullptr;
};
