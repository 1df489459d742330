// The one place a batch's row states live: outcomes reach the observer once each, in row order,
// and a merge's held outcomes only when they are settled. Also the batch session's launch
// checks and the rows that failed before the batch.
#include <gtest/gtest.h>

#include <filesystem>

#include "BatchRecorder.h"
#include "TempFolder.h"
#include "engine/BatchSession.h"
#include "engine/RowLedger.h"

namespace varnell {
namespace {

using Status = RowOutcome::Status;
using testing::BatchRecorder;

RowOutcome WithStatus(Status status, std::string reason = {}) {
  RowOutcome outcome;
  outcome.status = status;
  outcome.reason = std::move(reason);
  return outcome;
}

std::vector<int> EndedRows(BatchRecorder& recorder) {
  std::vector<int> rows;
  for (const auto& [row, outcome] : recorder.seen().ended) rows.push_back(row);
  return rows;
}

TEST(RowLedger, OutcomesWaitForEarlierRowsAndAreFinalOnceGiven) {
  BatchRecorder recorder;
  RowLedger ledger(4, recorder);
  ledger.End(2, WithStatus(Status::Completed));
  ledger.End(1, WithStatus(Status::Failed, "first"));
  EXPECT_TRUE(EndedRows(recorder).empty());
  ledger.End(0, WithStatus(Status::Completed));
  EXPECT_EQ(EndedRows(recorder), (std::vector<int>{0, 1, 2}));
  ledger.End(1, WithStatus(Status::Completed));  // too late: row 1 has its outcome
  ledger.EndBatch(BatchOutcome{});
  const BatchRecorder::Seen seen = recorder.seen();
  ASSERT_EQ(seen.ended.size(), 4u);
  EXPECT_EQ(seen.ended[1].second.reason, "first");
  EXPECT_EQ(seen.ended[3].second.status, Status::NotStarted);  // never reached
  EXPECT_TRUE(seen.batch.has_value());
}

TEST(RowLedger, HeldOutcomesAreReportedOnlyWhenSettled) {
  BatchRecorder recorder;
  RowLedger ledger(3, recorder);
  ledger.Hold(0, WithStatus(Status::Completed));
  ledger.End(1, WithStatus(Status::Failed, "its own"));
  ledger.Hold(2, WithStatus(Status::Completed));
  EXPECT_TRUE(EndedRows(recorder).empty());
  ledger.SettleHeld([](RowOutcome& held) { held = WithStatus(Status::Failed, "output lost"); });
  const BatchRecorder::Seen seen = recorder.seen();
  ASSERT_EQ(seen.ended.size(), 3u);
  EXPECT_EQ(seen.ended[0].second.reason, "output lost");
  EXPECT_EQ(seen.ended[1].second.reason, "its own");
  EXPECT_EQ(seen.ended[2].second.reason, "output lost");
}

TEST(RowLedger, APercentIsToldOnlyWhenItChanges) {
  BatchRecorder recorder;
  RowLedger ledger(1, recorder);
  for (int percent : {-1, 0, 0, 5, 5, 7}) ledger.Percent(0, percent);
  EXPECT_EQ(recorder.seen().percents[0], (std::vector<int>{0, 5, 7}));
}

TEST(BatchSession, LaunchChecksComeInTheWindowsOrder) {
  testing::TempFolder folder;
  BatchSession session;
  BatchRecorder recorder;
  BatchRequest request;
  request.outputFolder = folder.path().string();
  EXPECT_EQ(session.Start(request, recorder), LaunchRefusal::NoRows);
  request.rows = {TaskRow{"/m/a.m4a", "00:00:00", "00:00:05", "5", false, false, std::nullopt}};
  EXPECT_EQ(session.Start(request, recorder), LaunchRefusal::NothingChecked);
  request.kind = JobKind::MergeFiles;
  request.rows.push_back(
      TaskRow{"/m/b.m4a", "00:00:00", "00:00:05", "5", true, false, std::nullopt});
  EXPECT_EQ(session.Start(request, recorder), LaunchRefusal::MergeNeedsTwoRows);
  request.kind = JobKind::ConvertFiles;
  request.outputFolder = folder / "missing";
  EXPECT_EQ(session.Start(request, recorder), LaunchRefusal::NoOutputFolder);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
  EXPECT_TRUE(recorder.seen().ended.empty());  // nothing started
}

// A file that failed before the batch (its probe) is not converted, yet ends with its reason in
// its place; a merge creates its missing folder.
TEST(BatchSession, RowsThatFailedBeforeTheBatchEndWithTheirReason) {
  testing::TempFolder folder;
  BatchSession session;
  BatchRecorder recorder;
  BatchRequest request;
  request.kind = JobKind::MergeFiles;
  request.outputFolder = folder / "new";
  request.rows.resize(2);
  request.rows[0].sourcePath = "/m/a.m4a";
  request.rows[1].sourcePath = "/m/b.m4a";
  request.rowFailures = {"cannot open source: No such file or directory", ""};
  ASSERT_EQ(session.Start(request, recorder), std::nullopt);
  session.Wait();
  EXPECT_TRUE(std::filesystem::is_directory(folder / "new"));
  ASSERT_EQ(session.outcomes().size(), 2u);
  EXPECT_EQ(session.outcomes()[0].status, Status::Failed);
  EXPECT_EQ(session.outcomes()[0].reason, "cannot open source: No such file or directory");
  EXPECT_EQ(session.outcomes()[1].status, Status::Failed);  // its own reason: the file is not there
  EXPECT_EQ(recorder.outcomes()[0].reason, session.outcomes()[0].reason);
  EXPECT_EQ(session.outcome().mergeFailureReason, "none of the files could be merged");
}

}  // namespace
}  // namespace varnell
