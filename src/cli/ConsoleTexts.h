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
    "  /quiet        不显示进度和总结, 只显示警告和错误\r\n"
    "  /version      显示版本号\r\n"
    "  /?, --help    显示本说明\r\n"
    "\r\n"
    "选项也可以写成 -选项 或 --选项, 值跟在 \":\" 或 \"=\" 后面, 或作为下一个参数;\r\n"
    "\"--\" 之后的参数都是源。\r\n"
    "退出代码: 0 全部转换; 1 有文件失败 (见日志) 或有源被跳过; 2 用法错误, 什么也没转换;\r\n"
    "3 有应用程序无法启动; 4 被 Ctrl+C 停止。\r\n"
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
    "  /quiet        no progress and no summary, only warnings and errors\r\n"
    "  /version      show the version number\r\n"
    "  /?, --help    show this help\r\n"
    "\r\n"
    "Options may also be spelt -option or --option; a value follows \":\" or \"=\", or comes as\r\n"
    "the next argument; every argument after \"--\" is a source.\r\n"
    "Exit codes: 0 everything converted; 1 some files failed (see the log) or a source was\r\n"
    "skipped; 2 usage error, nothing converted; 3 an application could not be started;\r\n"
    "4 stopped by Ctrl+C.\r\n";

constexpr char kPrefix[] = "tandrelc: ";
constexpr char kUsageHint[] = "用 tandrelc /? 查看用法 / see tandrelc /? for usage";

constexpr char kNoSource[] = "没有给出要转换的文件或文件夹 / no file or folder to convert";
constexpr char kNoOutput[] = "没有给出输出文件夹 /out:文件夹 / no output folder /out:FOLDER";
constexpr char kUnknownOption[] = "未知选项 / unknown option";
constexpr char kValueMissing[] = "选项缺少值 / option needs a value";
constexpr char kNoValueWanted[] = "选项不带值 / option takes no value";
constexpr char kBadValue[] = "选项的值无效 / option value not recognised";

constexpr char kSourceMissing[] = "找不到源 / source not found";
constexpr char kNotASource[] =
    "不是所选方向和类型的文档 / not a document of the chosen direction and kind";
constexpr char kOutputTooLong[] = "输出文件夹路径太长 / output folder path too long";
constexpr char kOutputIsFile[] = "输出文件夹是一个文件 / the output folder is a file";
constexpr char kOutputNotCreated[] = "无法创建输出文件夹 / cannot create the output folder";

constexpr char kNotStarted[] = "无法开始转换 / the job could not be started";
constexpr char kLogNotWritable[] =
    "无法在输出文件夹中创建日志, 什么也没转换 / cannot create the log in the output folder, "
    "nothing converted";
constexpr char kLogLineLost[] = "未能写入日志的失败文件 / failed, but not written to the log";

constexpr char kSubFolder[] = "警告: 输出文件夹在源文件夹之内, 跳过这个源 / warning: the output "
                              "folder lies inside this source, skipped";
constexpr char kStartFailed[] = "错误: %s / error: an office application could not be started";
constexpr char kSummary[] = "已转换 converted: %d, 失败 failed: %d, 跳过 skipped: %d";
constexpr char kLogPath[] = "失败的文件见 / failed files are listed in %s";
constexpr char kStopped[] = "已按 Ctrl+C 停止, 未完成 / stopped by Ctrl+C, not done:";

} // namespace texts
