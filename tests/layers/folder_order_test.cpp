#include "layers/folder_order.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <string>

namespace bms::layers {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(FolderOrder, SourcesKeepIt) {
  EXPECT_THAT(OrderViolations(ReadIncludeGraph(BMS_SOURCE_DIR)), IsEmpty());
}

TEST(FolderOrder, FindsWhatBreaksIt) {
  struct Case {
    IncludeGraph graph;
    std::vector<std::string> violations;
  };
  for (const auto& [graph, violations] : {
           Case{{{"wire", {}}, {"base", {"forms", "wire"}}, {"link", {"base"}}}, {}},
           Case{{{"monitor", {"link", "service"}}, {"app", {"monitor", "link"}}}, {}},
           Case{{{"link", {"app"}}}, {"link includes app above it"}},
           Case{{{"base", {"monitor"}}, {"monitor", {}}}, {"base includes monitor above it"}},
           Case{{{"widgets", {"forms"}}}, {"widgets has no level"}},
           Case{{{"link", {"monitor"}}, {"monitor", {"link"}}}, {"cycle link monitor"}},
           Case{{{"link", {"service"}}, {"service", {"monitor"}}, {"monitor", {"link"}}},
                {"cycle link monitor service"}},
       }) {
    EXPECT_EQ(OrderViolations(graph), violations);
  }
}

TEST(FolderOrder, ReadsQuotedFolderIncludesOnly) {
  const auto src =
      std::filesystem::temp_directory_path() / ("bms-folder-order-" + std::to_string(::getpid()));
  std::filesystem::remove_all(src);
  for (const char* folder : {"app", "link", "wire"})
    std::filesystem::create_directories(src / folder);
  std::ofstream(src / "link" / "control.cpp") << "#include \"link/control.h\"\n"
                                                 "#include <app/app.h>\n"
                                                 "  #  include \"wire/frame.h\"\n"
                                                 "#include \"nowhere/x.h\"\n";
  std::ofstream(src / "link" / "control.h")
      << "// #include \"app/app.h\" is text, not an include\n";
  std::ofstream(src / "wire" / "frame.h") << "#include \"app/app.h\"\n";
  const auto graph = ReadIncludeGraph(src);
  std::filesystem::remove_all(src);
  EXPECT_THAT(graph.at("link"), ElementsAre("wire"));
  EXPECT_THAT(graph.at("wire"), ElementsAre("app"));
  EXPECT_THAT(OrderViolations(graph), ElementsAre("wire includes app above it"));
}

}  // namespace
}  // namespace bms::layers
