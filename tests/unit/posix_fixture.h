#pragma once

// A temporary Windows-like tree for the core: C:\Windows\System32\drivers\etc on
// the POSIX platform, fifteen fake site boxes, and a clean core state per test.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/posix_control.h"

class PosixFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string EtcFolder() const;  // POSIX path
    std::string HostsFilePath() const;
    std::string BackupFilePath() const;
    void WriteFile(const std::string& posixPath, const std::string& bytes);
    std::string ReadFile(const std::string& posixPath) const;
    bool FileExists(const std::string& posixPath) const;
    std::vector<std::string> FilesInEtc() const;
    std::uint32_t AttributesOf(const std::string& windowsPath) const;

    // Runs step; returns the exit code the program ended with, or kStillRunning.
    static constexpr int kStillRunning = -100;
    static int ExitCodeOf(void (*step)());

    // Starts the core as the window does: load, then check every site.
    void StartWithHosts(const std::string& bytes);

    static void SetBox(int box, bool checked);
    static bool BoxChecked(int box);
    // A user's click: the box takes its new state, then its click runs.
    static void ClickBox(int box);

    std::string root_;
};
