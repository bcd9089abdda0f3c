// Finding by typing: each keystroke of a four-letter query over an index of realistic names
// (Chinese, English, mixed, long paths), as the panel runs it: the first letter over every item,
// each next one over what the last one matched.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "find/find_index.h"

namespace velora {
namespace {

constexpr std::array kChinese = {"微信",     "百度翻译", "重启电脑", "QQ音乐",   "网易云音乐",
                                 "腾讯会议", "钉钉",     "记事本",   "计算器",   "画图",
                                 "截图工具", "控制面板", "我的文档", "下载",     "工作周报",
                                 "会议纪要", "财务报表", "照片",     "旅行攻略", "学习资料"};
constexpr std::array kEnglish = {"Visual Studio Code",
                                 "Notepad++",
                                 "Google Chrome",
                                 "Mozilla Firefox",
                                 "Adobe Photoshop",
                                 "Microsoft Word",
                                 "Excel",
                                 "PowerPoint",
                                 "7-Zip",
                                 "Everything",
                                 "Steam",
                                 "Spotify",
                                 "Zoom",
                                 "Git Bash",
                                 "Python 3.12"};

// Names that differ from one another, as a user's thousands of files and bookmarks do.
find::FindIndex MakeIndex(int items) {
  find::FindIndex index;
  for (int i = 0; i < items; ++i) {
    const std::string number = std::to_string(i);
    std::string name;
    switch (i % 4) {
      case 0:
        name = std::string(kChinese[i % kChinese.size()]) + number;
        break;
      case 1:
        name = std::string(kEnglish[i % kEnglish.size()]) + " " + number;
        break;
      case 2:
        name = std::string(kEnglish[i % kEnglish.size()]) + kChinese[(i / 7) % kChinese.size()] + number;
        break;
      default:
        name = std::string(kChinese[(i / 3) % kChinese.size()]) + "（第" + number + "版）";
        break;
    }
    const std::string path = "C:\\Users\\用户\\Documents\\项目资料\\" + number + "\\" + name + ".docx";
    index.Add("软件", number, name, find::FileNameOf(path));
  }
  return index;
}

void BM_FindQuery(benchmark::State& state) {
  find::FindIndex index = MakeIndex(static_cast<int>(state.range(0)));
  const std::array queries = {find::FoldedQuery("w"), find::FoldedQuery("wx"), find::FoldedQuery("wxi"),
                              find::FoldedQuery("wxin")};
  for (auto _ : state) {
    for (const std::u32string& query : queries) benchmark::DoNotOptimize(index.Query(query, 100));
    state.PauseTiming();
    (void)index.Query(find::FoldedQuery("x"), 1);  // the next round starts from every item again
    state.ResumeTiming();
  }
  state.counters["bytes_per_item"] =
      static_cast<double>(index.MemoryBytes()) / static_cast<double>(state.range(0));
  // Seconds per keystroke.
  state.counters["per_key"] = benchmark::Counter(static_cast<double>(state.iterations()) * queries.size(),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FindQuery)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora
