-- The template item store written on a first run. The program runs this script on a new file
-- (page size 4096, UTF-8, journal DELETE, user version 0) and renames the result into place.
-- Icon keys are the first ten digits of the upper-case MD5 of each address; a test checks them.
PRAGMA page_size = 4096;
PRAGMA encoding = 'UTF-8';
PRAGMA journal_mode = DELETE;
PRAGMA user_version = 0;

BEGIN;

CREATE TABLE "软件" (
  "code" VarChar(4096) NOT NULL,
  "路径" VarChar(4096),
  "名称" VarChar(4096),
  "位置" VarChar(4096),
  "类别" VarChar(4096),
  "后缀" VarChar(4096),
  "图标" VarChar(4096),
  "日期" VarChar(4096),
  PRIMARY KEY ("code")
);

CREATE TABLE "目录" (
  "code" VarChar(4096) NOT NULL,
  "路径" VarChar(4096),
  "名称" VarChar(4096),
  "位置" VarChar(4096),
  "类别" VarChar(4096),
  "后缀" VarChar(4096),
  "图标" VarChar(4096),
  "日期" VarChar(4096),
  PRIMARY KEY ("code")
);

CREATE TABLE "书签" (
  "code" VarChar(4096) NOT NULL,
  "路径" VarChar(4096),
  "名称" VarChar(4096),
  "位置" VarChar(4096),
  "类别" VarChar(4096),
  "后缀" VarChar(4096),
  "图标" VarChar(4096),
  "日期" VarChar(4096),
  PRIMARY KEY ("code")
);

CREATE TABLE "图片" (
  "code" VarChar(4096) NOT NULL,
  "路径" VarChar(4096),
  "名称" VarChar(4096),
  "位置" VarChar(4096),
  "类别" VarChar(4096),
  "后缀" VarChar(4096),
  "图标" VarChar(4096),
  "日期" VarChar(4096),
  PRIMARY KEY ("code")
);

CREATE TABLE "文档" (
  "code" VarChar(4096) NOT NULL,
  "路径" VarChar(4096),
  "名称" VarChar(4096),
  "位置" VarChar(4096),
  "类别" VarChar(4096),
  "后缀" VarChar(4096),
  "图标" VarChar(4096),
  "日期" VarChar(4096),
  PRIMARY KEY ("code")
);

CREATE TABLE "热键" (
  "code" VarChar(4096) NOT NULL,
  "路径" VarChar(4096),
  "名称" VarChar(4096),
  "位置" VarChar(4096),
  "类别" VarChar(4096),
  "后缀" VarChar(4096),
  "图标" VarChar(4096),
  "日期" VarChar(4096),
  PRIMARY KEY ("code")
);

create table 搜索 (code VarChar(4096),路径 VarChar(4096),名称 VarChar(4096),位置 VarChar(4096),类别 VarChar(4096),后缀 VarChar(4096),图标 VarChar(4096),日期 VarChar(4096));

INSERT INTO "软件" VALUES ('系统我的电脑', '', '我的电脑', NULL, NULL, '我的电脑', '', '2021-11-12 10:59:03');
INSERT INTO "软件" VALUES ('系统桌面', '', '桌面', NULL, NULL, '桌面', '', '');
INSERT INTO "软件" VALUES ('系统控制面板', '', '控制面板', NULL, NULL, '控制面板', '', '');
INSERT INTO "软件" VALUES ('系统回收站', '', '回收站', NULL, NULL, '回收站', '', '');

-- Drive roots as path codes: the UTF-16LE path, zero-padded to 1000 bytes, in hex.
INSERT INTO "目录" VALUES ('43003A005C00' || hex(zeroblob(994)), 'C:\', 'C:\', NULL, NULL, '文件夹', '', '2021-11-12 10:59:03');
INSERT INTO "目录" VALUES ('44003A005C00' || hex(zeroblob(994)), 'D:\', 'D:\', NULL, NULL, '文件夹', '', '2021-11-12 10:58:03');

INSERT INTO "书签" VALUES ('网址https://www.bilibili.com/', NULL, '哔哩哔哩', NULL, NULL, '书签', 'E0ED1515E1', '2021-11-12 10:59:03');
INSERT INTO "书签" VALUES ('网址https://www.youku.com/', NULL, '优酷', NULL, NULL, '书签', 'EF59CD4145', '2021-11-12 10:58:03');
INSERT INTO "书签" VALUES ('网址https://www.iqiyi.com/', NULL, '爱奇艺', NULL, NULL, '书签', '6743F8F2AC', '2021-11-12 10:57:03');
INSERT INTO "书签" VALUES ('网址https://v.qq.com/', NULL, '腾讯视频', NULL, NULL, '书签', '937B0BEA1C', '2021-11-12 10:56:03');
INSERT INTO "书签" VALUES ('网址https://www.douyin.com/', NULL, '抖音', NULL, NULL, '书签', '8D3F600104', '2021-11-12 10:55:03');
INSERT INTO "书签" VALUES ('网址https://www.taobao.com/', NULL, '淘宝', NULL, NULL, '书签', 'BB35D9B59F', '2021-11-12 10:54:03');
INSERT INTO "书签" VALUES ('网址https://www.jd.com/', NULL, '京东', NULL, NULL, '书签', 'CD9F94D49E', '2021-11-12 10:53:03');
INSERT INTO "书签" VALUES ('网址https://www.tmall.com/', NULL, '天猫', NULL, NULL, '书签', '64BE415870', '2021-11-12 10:52:03');
INSERT INTO "书签" VALUES ('网址https://www.pinduoduo.com/', NULL, '拼多多', NULL, NULL, '书签', '14D36D9345', '2021-11-12 10:51:03');
INSERT INTO "书签" VALUES ('网址https://weibo.com/', NULL, '微博', NULL, NULL, '书签', '19B1E1822F', '2021-11-12 10:50:03');
INSERT INTO "书签" VALUES ('网址https://www.zhihu.com/', NULL, '知乎', NULL, NULL, '书签', 'A88048F1CA', '2021-11-12 10:49:03');
INSERT INTO "书签" VALUES ('网址https://www.xiaohongshu.com/', NULL, '小红书', NULL, NULL, '书签', '29284C47BF', '2021-11-12 10:48:03');
INSERT INTO "书签" VALUES ('网址https://tieba.baidu.com/', NULL, '百度贴吧', NULL, NULL, '书签', '1E1EB00BC9', '2021-11-12 10:47:03');
INSERT INTO "书签" VALUES ('网址https://www.douban.com/', NULL, '豆瓣', NULL, NULL, '书签', '112E03F3A1', '2021-11-12 10:46:03');

INSERT INTO "文档" VALUES ('$$文本$$这是一段测试文本', NULL, '这是一段测试文本', NULL, NULL, '文本', NULL, '2021-11-12 10:59:03');

INSERT INTO "热键" VALUES ('热键17+16+83', NULL, '另存为', NULL, NULL, '热键', NULL, '2021-11-12 10:59:03');
INSERT INTO "热键" VALUES ('热键17+0+70', NULL, '查找', NULL, NULL, '热键', NULL, '2021-11-12 10:58:03');
INSERT INTO "热键" VALUES ('热键91+0+75', NULL, '投屏连接', NULL, NULL, '热键', NULL, '2021-11-12 10:57:03');
INSERT INTO "热键" VALUES ('热键17+0+87', NULL, '关闭标签', NULL, NULL, '热键', NULL, '2021-11-12 10:56:03');
INSERT INTO "热键" VALUES ('热键91+16+83', NULL, '屏幕截图', NULL, NULL, '热键', NULL, '2021-11-12 10:55:03');
INSERT INTO "热键" VALUES ('热键17+0+77', NULL, '最小化', NULL, NULL, '热键', NULL, '2021-11-12 10:54:03');
INSERT INTO "热键" VALUES ('功能取外网IP', NULL, '取外网IP', NULL, NULL, '功能', NULL, '2021-11-12 10:53:03');
INSERT INTO "热键" VALUES ('功能取内网IP', NULL, '取内网IP', NULL, NULL, '功能', NULL, '2021-11-12 10:52:03');
INSERT INTO "热键" VALUES ('功能锁定屏幕', NULL, '锁定屏幕', NULL, NULL, '功能', NULL, '2021-11-12 10:51:03');
INSERT INTO "热键" VALUES ('功能任务管理', NULL, '任务管理', NULL, NULL, '功能', NULL, '2021-11-12 10:50:03');
INSERT INTO "热键" VALUES ('功能时钟屏保', NULL, '时钟屏保', NULL, NULL, '功能', NULL, '2021-11-12 10:49:03');
INSERT INTO "热键" VALUES ('功能置顶窗口', NULL, '置顶窗口', NULL, NULL, '功能', NULL, '2021-11-12 10:48:03');

INSERT INTO 搜索 VALUES ('网址https://www.baidu.com/s?wd=$关键词$', NULL, '百度搜索', NULL, NULL, '书签', '321754BB71', '2021-11-12 11:59:20');
INSERT INTO 搜索 VALUES ('网址https://cn.bing.com/search?q=$关键词$', NULL, '必应搜索', NULL, NULL, '书签', 'ACDD97E6DE', '2021-11-12 11:58:20');
INSERT INTO 搜索 VALUES ('网址https://www.sogou.com/web?query=$关键词$', NULL, '搜狗搜索', NULL, NULL, '书签', '3650EC4CEA', '2021-11-12 11:57:20');
INSERT INTO 搜索 VALUES ('网址https://fanyi.baidu.com/#auto/zh/$关键词$', NULL, '百度翻译', NULL, NULL, '书签', '908F2350E3', '2021-11-12 11:56:20');
INSERT INTO 搜索 VALUES ('网址https://dict.youdao.com/result?word=$关键词$&lang=en', NULL, '有道词典', NULL, NULL, '书签', '6D605C76AC', '2021-11-12 11:55:20');
INSERT INTO 搜索 VALUES ('网址https://search.bilibili.com/all?keyword=$关键词$', NULL, '哔哩哔哩搜索', NULL, NULL, '书签', '24ECA07745', '2021-11-12 11:54:20');
INSERT INTO 搜索 VALUES ('网址https://tieba.baidu.com/f?kw=$关键词$', NULL, '百度贴吧搜索', NULL, NULL, '书签', '4224716CB1', '2021-11-12 11:53:20');
INSERT INTO 搜索 VALUES ('网址https://www.zhihu.com/search?type=content&q=$关键词$', NULL, '知乎搜索', NULL, NULL, '书签', 'D86BF0B2A4', '2021-11-12 11:52:20');
INSERT INTO 搜索 VALUES ('网址https://s.taobao.com/search?q=$关键词$', NULL, '淘宝搜索', NULL, NULL, '书签', 'F65D658B5B', '2021-11-12 11:51:20');
INSERT INTO 搜索 VALUES ('网址https://search.jd.com/Search?keyword=$关键词$', NULL, '京东搜索', NULL, NULL, '书签', '39A10E901E', '2021-11-12 11:50:20');
INSERT INTO 搜索 VALUES ('网址https://s.weibo.com/weibo?q=$关键词$', NULL, '微博搜索', NULL, NULL, '书签', '11493A3C05', '2021-11-12 11:49:20');

COMMIT;
