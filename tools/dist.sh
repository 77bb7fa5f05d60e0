#!/usr/bin/env bash
# Packs what a user needs into build/kamorte.zip: the program, the command-line calculator
# with a sample sheet of outlets, the two documents (the committed ones, or freshly made
# ones when given) and a short note on how to start.
# The Japanese file names are stored in code page 932 without the UTF-8 flag, which is how
# Japanese Windows' own zip folders and the common archivers there read them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KAMORTE_WIN_BUILD:-$root/build/win}
docs=${KAMORTE_DOCS:-$root/docs}
stage=$root/build/dist/kamorte
zipfile=$root/build/kamorte.zip

rm -rf "$stage" "$zipfile"
mkdir -p "$stage"
cp "$build/app/kamorte.exe" "$build/tools/kamorte_calc/kamorte-calc.exe" "$stage/"
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
# The sample is a code page 932 sheet as Japanese Excel saves it.
cp "$root/docs/samples/outlets.csv" "$stage/$(sjis 排出口一覧_サンプル.csv)"

for doc in 操作マニュアル.pdf 活用例.pdf; do
  if [ -f "$docs/$doc" ]; then
    cp "$docs/$doc" "$stage/$(sjis "$doc")"
  else
    echo "note: $doc not found in $docs; packed without it"
  fi
done

# Notepad on older Windows reads UTF-8 only with a byte-order mark, and wants CR LF.
{
  printf '\xEF\xBB\xBF'
  sed 's/$/\r/' <<'TEXT'
カモルテ（臭気指数第２号規制基準算定ソフト）　使い方

1. このフォルダを好きな場所にコピーします。インストールは不要です。
2. kamorte.exe をダブルクリックすると、スタートメニューが開きます。
3. 排出口の実高さと周辺最大建物高さを入力し、「次へ」を押すと、
   排出口に当てはまる入力画面に進みます。
4. 各項目の意味は、画面の青くなる用語をクリックするか、
   メニューの「用語解説」から見られます。
5. 操作マニュアル.pdf と 活用例.pdf は、メニューの「ファイル」からも開けます。
   kamorte.exe と同じフォルダに置いてください。
6. 多くの排出口をまとめて計算するときは、メニューの「ファイル」→「一括計算（CSV）...」で
   Excel の CSV ファイルを選びます（排出口一覧_サンプル.csv が見本です）。
   コマンドプロンプトからは kamorte-calc.exe で計算できます（操作マニュアル 11 章）。

終了するときは「終了」ボタンを押し、確認に「はい」と答えます。
設定や入力内容はパソコンに保存されません。
TEXT
} >"$stage/$(sjis 使い方.txt)"

(cd "$root/build/dist" && LC_ALL=C zip -q -r "$zipfile" kamorte)
echo "$zipfile:"
LC_ALL=C unzip -Z1 "$zipfile" | iconv -f CP932 -t UTF-8 | sed 's/^/  /'
