#!/usr/bin/env bash
# Two checks of the source layout, for a redesign to keep:
#   - no upward include: helpers <- vocabulary, layers <- converters <- run
#     <- app (the tests are not checked);
#   - the functions of src/ longer than LIMIT lines (default 60), outside
#     the window code of src/app/window.
#   tests/check_layout.sh [LIMIT]
# Exit 1 when an upward include or a long function is found.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${1:-60}
status=0

below() {  # FOLDER: the folders it may include
  case $1 in
    helpers) echo "helpers" ;;
    vocabulary) echo "helpers|vocabulary" ;;
    layers) echo "helpers|layers" ;;
    converters) echo "helpers|vocabulary|layers|converters" ;;
    run) echo "helpers|vocabulary|layers|converters|run" ;;
    app) echo "helpers|vocabulary|layers|converters|run|app" ;;
  esac
}
for folder in helpers vocabulary layers converters run app; do
  upward=$(grep -rnE '#include "[a-z_]+/' "src/$folder" --include=*.h --include=*.cc |
           grep -v '_test\.cc:' | grep -vE "#include \"($(below $folder))/" || true)
  if [ -n "$upward" ]; then
    echo "upward include in src/$folder:"; echo "$upward"; status=1
  fi
done

# A function: its signature starts at column 0 (or 2, a member defined in
# its class) and its body ends at the first "}" at that indentation after
# the "{" that ends the signature.
long=$(find src -name '*.cc' ! -name '*_test.cc' ! -path 'src/app/window/*' | sort | xargs awk -v limit="$limit" '
  FNR == 1 { open = 0; pending = 0 }
  !open && !pending && /^(  )?[A-Za-z~]/ && /\(/ &&
      !/^ *(namespace|struct|class|enum|template|using|typedef|return|if|for|while|switch|case|else|do)\>/ {
    pending = 1; start = FNR; head = $0; match($0, /^ */); indent = substr($0, 1, RLENGTH)
  }
  pending && (/;$/ || /\}$/) { pending = 0 }  # a declaration, a call, or a body on one line
  pending && /\{$/ { pending = 0; open = 1; next }
  open && $0 == indent "}" {
    open = 0
    if (FNR - start + 1 > limit) printf "%4d %s:%d %s\n", FNR - start + 1, FILENAME, start, head
  }')
if [ -n "$long" ]; then
  echo "functions over $limit lines:"; echo "$long" | sort -rn; status=1
fi
[ $status = 0 ] && echo "no upward include; no function over $limit lines"
exit $status
