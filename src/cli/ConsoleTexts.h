#pragma once
// What tandrelc writes on the console: code-page-936 text, Chinese first, then English.

namespace texts {

constexpr char kUsage[] =
    "用法: tandrelc [选项] 源... /out:文件夹\r\n"
    "在 Microsoft Office 格式与 Qor/LX 格式之间批量转换文档, 与窗口程序使用同一个转换引擎。\r\n"
    "源可以是文件或文件夹, 按给出的顺序转换; 文件夹连同子文件夹镜像到输出文件夹。\r\n"
    "\r\n"
    "  /out:文件夹   输出文件夹, 不存在时创建; 失败的文件列在其中的 qorconvert.log\r\n"
    "  /to:qor       .doc .dot .xls .xlt 转为 Qor/LX 格式 (默认)\r\n"
    "  /to:ms        .qor .qot .lx .lxt 转为 Microsoft Office 格式\r\n"
    "  /kind:doc     只转换文字处理文档\r\n"
    "  /kind:sheet   只转换电子表格\r\n"
    "  /kind:both    两种都转换, 每个文件夹每种各一项 (默认)\r\n"
    "  /from:文件    另从文本文件读取源, 每行一个 (代码页 936, 或带 BOM 的 UTF-8;\r\n"
    "                空行和以 # 开头的行被忽略)\r\n"
    "  /update       目标已存在且不比源旧 (最后写入时间) 的文件不再转换, 计为已是最新;\r\n"
    "                中断的作业用同一命令加 /update 继续\r\n"
    "  /report:文件  写出每个源文件一行的 CSV 报告 (带 BOM 的 UTF-8): 源, 目标, 结果,\r\n"
    "                应用程序的错误代码和说明, 毫秒数\r\n"
    "  /jobs:N       同时运行 N 个应用程序实例 (1 到 16, 默认 1)\r\n"
    "  /quiet        不显示进度和总结, 只显示警告和错误\r\n"
    "  /version      显示版本号\r\n"
    "  /?, --help    显示本说明\r\n"
    "\r\n"
    "选项也可以写成 -选项 或 --选项, 值跟在 \":\" 或 \"=\" 后面, 或作为下一个参数;\r\n"
    "\"--\" 之后的参数都是源。\r\n"
    "退出代码: 0 全部转换 (或已是最新); 1 有文件失败 (见日志) 或有源被跳过;\r\n"
    "2 用法错误, 什么也没转换; 3 有应用程序无法启动; 4 被 Ctrl+C 停止。\r\n"
    "\r\n"
    "Usage: tandrelc [options] SOURCE... /out:FOLDER\r\n"
    "Converts documents between the Microsoft Office formats and the Qor/LX formats, with the\r\n"
    "same conversion engine as the window. Sources are files and folders, converted in the\r\n"
    "order given; a folder is mirrored into the output folder with all its sub-folders.\r\n"
    "\r\n"
    "  /out:FOLDER   output folder, created when missing; failed files are listed in its\r\n"
    "                qorconvert.log\r\n"
    "  /to:qor       convert .doc .dot .xls .xlt to the Qor/LX formats (default)\r\n"
    "  /to:ms        convert .qor .qot .lx .lxt to the Microsoft Office formats\r\n"
    "  /kind:doc     word-processor documents only\r\n"
    "  /kind:sheet   spreadsheets only\r\n"
    "  /kind:both    both kinds, one entry per kind for each folder (default)\r\n"
    "  /from:FILE    also read sources from a text file, one a line (code page 936, or UTF-8\r\n"
    "                with a byte-order mark; blank lines and lines starting with # ignored)\r\n"
    "  /update       files whose target exists and is not older than the source (last\r\n"
    "                written) are not converted again but counted as up to date; an\r\n"
    "                interrupted job is resumed by the same command with /update\r\n"
    "  /report:FILE  write a CSV report (UTF-8 with a byte-order mark), one row per source\r\n"
    "                file: source, target, result, the application's error code and\r\n"
    "                description, milliseconds\r\n"
    "  /jobs:N       N application instances convert at once (1 to 16, default 1)\r\n"
    "  /quiet        no progress and no summary, only warnings and errors\r\n"
    "  /version      show the version number\r\n"
    "  /?, --help    show this help\r\n"
    "\r\n"
    "Options may also be spelt -option or --option; a value follows \":\" or \"=\", or comes as\r\n"
    "the next argument; every argument after \"--\" is a source.\r\n"
    "Exit codes: 0 everything converted (or up to date); 1 some files failed (see the log)\r\n"
    "or a source was skipped; 2 usage error, nothing converted; 3 an application could not\r\n"
    "be started; 4 stopped by Ctrl+C.\r\n";

constexpr char kPrefix[] = "tandrelc: ";
constexpr char kUsageHint[] = "用 tandrelc /? 查看用法 / see tandrelc /? for usage";

constexpr char kNoSource[] = "没有给出要转换的文件或文件夹 / no file or folder to convert";
constexpr char kNoOutput[] = "没有给出输出文件夹 /out:文件夹 / no output folder /out:FOLDER";
constexpr char kUnknownOption[] = "未知选项 / unknown option";
constexpr char kValueMissing[] = "选项缺少值 / option needs a value";
constexpr char kNoValueWanted[] = "选项不带值 / option takes no value";
constexpr char kBadValue[] = "选项的值无效 / option value not recognised";

constexpr char kListNotRead[] = "无法读取源列表 / cannot read the source list";
constexpr char kListNameNotHeld[] =
    "源列表中的名称无法用代码页 936 表示 / a name in the source list has no code page 936 form";
constexpr char kSourceMissing[] = "找不到源 / source not found";
constexpr char kNotASource[] =
    "不是所选方向和类型的文档 / not a document of the chosen direction and kind";
constexpr char kOutputTooLong[] = "输出文件夹路径太长 / output folder path too long";
constexpr char kOutputIsFile[] = "输出文件夹是一个文件 / the output folder is a file";
constexpr char kOutputNotCreated[] = "无法创建输出文件夹 / cannot create the output folder";

constexpr char kReportNotCreated[] = "无法创建报告文件 / cannot create the report";
constexpr char kReportIncomplete[] = "报告未能写完整 / the report could not be written in full";
constexpr char kNotStarted[] = "无法开始转换 / the job could not be started";
constexpr char kLogNotWritable[] =
    "无法在输出文件夹中创建日志, 什么也没转换 / cannot create the log in the output folder, "
    "nothing converted";
constexpr char kNameNotHeld[] = "名称无法用代码页 936 表示, 未转换, 已记入日志 / name not in code "
                                "page 936, not converted, logged";
constexpr char kLogLineLost[] = "未能写入日志的失败文件 / failed, but not written to the log";

constexpr char kSubFolder[] = "警告: 输出文件夹在源文件夹之内, 跳过这个源 / warning: the output "
                              "folder lies inside this source, skipped";
constexpr char kStartFailed[] = "错误: %s / error: an office application could not be started";
constexpr char kSummary[] = "已转换 converted: %d, 失败 failed: %d, 跳过 skipped: %d";
constexpr char kSummaryUpToDate[] = ", 已是最新 up to date: %d";
constexpr char kLogPath[] = "失败的文件见 / failed files are listed in %s";
constexpr char kStopped[] = "已按 Ctrl+C 停止, 未完成 / stopped by Ctrl+C, not done:";

} // namespace texts
