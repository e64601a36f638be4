#pragma once

#include <string>
#include <vector>

#include "headless/DirectoryJob.h"
#include "headless/SetupToml.h"
#include "headless/StatusReport.h"
#include "headless/UploadJob.h"

// What each subcommand prints: a text for people, or one JSON object (one line) for
// scripts. Each function returns the text with its line end.
namespace ql9ctl {

std::string StatusText(const ql::StatusReport& r);
std::string StatusLine(const ql::StatusReport& r);  // one line of status --watch
std::string StatusJson(const ql::StatusReport& r);

std::string SetupJson(const ql::SetupControls& controls, const std::string& file);

// Differences as "key: left-name "a", right-name "b"" lines.
std::string DifferenceText(const std::vector<ql::SetupDifference>& d, const char* leftName, const char* rightName);
std::string DifferenceJson(const std::vector<ql::SetupDifference>& d, const char* leftName, const char* rightName);
std::string SetupSentJson(const std::vector<ql::SetupDifference>& adjusted, const std::vector<ql::SetupDifference>& differences);

std::string ClockText(const ql::StatusReport& before, const ql::StatusReport* after);
std::string ClockJson(const ql::StatusReport& before, const ql::StatusReport* after);

std::string DirectoryText(const std::vector<ql::ListedRun>& runs);
std::string DirectoryJson(const std::vector<ql::ListedRun>& runs);

std::string UploadText(const std::vector<ql::UploadedRun>& runs);
std::string UploadJson(const std::string& folder, const std::vector<ql::UploadedRun>& runs);

std::string SleepText(const std::string& until);
std::string SleepJson(const std::string& until);

}  // namespace ql9ctl
