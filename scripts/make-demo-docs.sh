#!/usr/bin/env bash
# Builds the demo tree of stand-in documents (see officesim/README.md) on the Desktop of a Wine
# prefix: documents of every source format, files the program must ignore, Chinese names (one
# with a GBK trail byte 0x5C), nested, hidden and empty folders. Rebuilt only when this script
# changes, so calling it before every run is cheap.
# Usage: make-demo-docs.sh PREFIX
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
export WINEPREFIX=$prefix
"$here/wine-prefix.sh" "$prefix"

stamp="$prefix/.tandrel-demo-docs"
version=$(cksum <"$0")
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then
  exit 0
fi

user_dir=
for d in "$prefix"/drive_c/users/*/; do
  [ "$(basename "$d")" = Public ] && continue
  user_dir=${d%/}
done
[ -n "$user_dir" ] || { echo "make-demo-docs: no user folder in $prefix" >&2; exit 1; }
# Wine links the Desktop and the documents folder (the program's proposed output folder) to the
# Unix home folder; the demo and its results belong in the prefix, not there.
for folder in Desktop Documents; do
  if [ -L "$user_dir/$folder" ]; then
    rm "$user_dir/$folder"
  fi
  mkdir -p "$user_dir/$folder"
done
desktop="$user_dir/Desktop"

name=转换示例
demo="$desktop/$name"
rm -rf "$demo"

# doc PATH FORMAT TEXT: a stand-in document (header, then the text in code page 936);
# with FORMAT "-" a file without header.
doc() {
  mkdir -p "$(dirname "$demo/$1")"
  {
    [ "$2" = - ] || printf 'OFFICESIM %s\r\n' "$2"
    printf '%s\r\n' "$3" | iconv -f UTF-8 -t GBK
  } >"$demo/$1"
}

doc 年度报告.doc doc "二〇二五年度工作报告：全年完成各项任务。"
doc 会议纪要模板.dot dot "会议纪要：时间、地点、出席人员、议题。"
doc 预算表.xls xls "项目,金额；办公用品,1200；差旅,3500"
doc 报表模板.xlt xlt "月份,收入,支出"
doc 纯文本正文.doc - "这份文档没有文件头，整个文件都是正文。"
doc 说明.txt - "这是说明文字，不是要转换的文档。"
doc README - "没有扩展名的文件，不会被转换。"
doc 乗务安排/乗务表.xls xls "班次,乘务员；早班,王芳；晚班,李强"
doc 乗务安排/嘰嘰喳喳.doc doc "春天的早晨，鸟儿嘰嘰喳喳。"
doc 乗务安排/深层/第二层/第三层/最深处的文档.doc doc "藏在三层子文件夹里的文档。"
doc 乗务安排/深层/第二层/统计.xls xls "季度,数量；一,10；二,12"
doc 混合/大写扩展名.DOC doc "扩展名是大写的文档。"
doc 混合/数据.XLS xls "大写扩展名的表格"
doc 混合/旧版本.doc.bak doc "备份文件，不会被转换。"
doc 混合/图表.bmp - "不是文档"
doc Qor文档/通知.qor qor "关于放假安排的通知。"
doc Qor文档/公文模板.qot qot "红头文件模板。"
doc Qor文档/名单.lx lx "姓名,部门；张三,财务；李四,人事"
doc Qor文档/工资表模板.lxt lxt "姓名,基本工资,奖金"
doc 隐藏文件.doc doc "隐藏的文档。"
doc 隐藏目录/不该出现.doc doc "隐藏文件夹里的文档。"
doc 隐藏目录/不该出现.xls xls "隐藏文件夹里的表格。"
mkdir -p "$demo/空文件夹"

user=$(basename "$user_dir")
windows_demo="C:\\users\\$user\\Desktop\\$name"
"$WINE" attrib +h "$windows_demo\\隐藏文件.doc" </dev/null >/dev/null 2>&1
"$WINE" attrib +h "$windows_demo\\隐藏目录" </dev/null >/dev/null 2>&1
# Let the passing wineserver end, unless the prefix's persistent one runs (scripts/wine-exec.sh).
keepalive_pid="$prefix.keepalive.pid"
if ! { [ -f "$keepalive_pid" ] && kill -0 "$(cat "$keepalive_pid")" 2>/dev/null; }; then
  wineserver -w
fi
echo "$version" >"$stamp"
echo "make-demo-docs: demo documents in $demo"
