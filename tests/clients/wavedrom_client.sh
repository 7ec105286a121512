#!/bin/sh
# Every example diagram exported as WaveJSON is drawn by WaveDrom's command-line renderer (npm
# wavedrom-cli), names every lane in its picture, writes the text of every edge and the title,
# and reads back into the same export. Each WaveJSON file in WAVEJSON_DIR (arrows, labels' edges,
# a title, a gap, groups, a title and a foot with subscripts and overlines) is read, exported and
# drawn the same way.
# Usage: wavedrom_client.sh SIGMORA EXAMPLES_DIR PEER_DIR [WAVEJSON_DIR]  (exit 77: the renderer is
# not installed)
set -eu
sigmora=$1
examples=$2
peer=$3
wavejson=${4:-}
cli="$peer/node_modules/wavedrom-cli/wavedrom-cli.js"
if [ ! -f "$cli" ] || ! command -v node >/dev/null 2>&1; then
    echo "wavedrom-cli is not installed in $peer: run scripts/setup-wavedrom.sh $peer" >&2
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
count=0
for input in "$examples"/*.sgm ${wavejson:+"$wavejson"/*.json}; do
    base=$(basename "$input" | tr . -)
    "$sigmora" --convert "$input" "$work/$base.json"
    node "$cli" -i "$work/$base.json" -s "$work/$base.svg"
    node - "$work/$base.json" "$work/$base.svg" <<'JS'
const fs = require('fs');
const [json, svgFile] = process.argv.slice(2);
const lanes = JSON.parse(fs.readFileSync(json, 'utf8')).signal;
const svg = fs.readFileSync(svgFile, 'utf8');
if (!svg.startsWith('<svg') || !svg.trimEnd().endsWith('</svg>')) { console.error(svgFile + ': not an SVG'); process.exit(1); }
const esc = s => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const doc = JSON.parse(fs.readFileSync(json, 'utf8'));
const flat = items => items.flatMap(i => Array.isArray(i) ? flat(i.slice(1)) : [i]);
for (const lane of flat(lanes)) {
  if (lane.name && !svg.includes('>' + esc(lane.name) + '<')) { console.error(svgFile + ': no lane named ' + lane.name); process.exit(1); }
}
const texts = (doc.edge || []).map(e => e.split(' ').slice(1).join(' ')).filter(t => t);
// A rich text (JsonML) is drawn as tspans: each of its strings must be there.
const strings = t => Array.isArray(t) ? t.slice(1).flatMap(strings) : typeof t === 'string' ? [t] : [];
if (doc.head) texts.push(...strings(doc.head.text));
if (doc.foot) texts.push(...strings(doc.foot.text));
// The subscripts and overlines of a rich text keep their styles.
for (const [style, value] of [['baseline-shift', 'sub'], ['text-decoration', 'overline']]) {
  if (JSON.stringify(doc).includes('"' + style + '":"' + value + '"') && !svg.includes(style + '="' + value + '"')) {
    console.error(svgFile + ': no ' + style + ' ' + value); process.exit(1);
  }
}
for (const t of texts) {
  if (!svg.includes(esc(t))) { console.error(svgFile + ': no text ' + t); process.exit(1); }
}
console.log(svgFile + ': ' + flat(lanes).length + ' lanes, ' + (doc.edge || []).length + ' edges and ' + texts.length + ' texts drawn, ' + svg.length + ' bytes');
JS
    "$sigmora" --convert "$work/$base.json" "$work/$base-back.sgm" 2>/dev/null
    "$sigmora" --convert "$work/$base-back.sgm" "$work/$base-again.json" 2>/dev/null
    # An odd number of half-cycles is written as whole cycles and comes back half a cycle longer
    # (the first export says so); from the second export on the text stays the same.
    "$sigmora" --convert "$work/$base-again.json" "$work/$base-back2.sgm" 2>/dev/null
    "$sigmora" --convert "$work/$base-back2.sgm" "$work/$base-third.json" 2>/dev/null
    if ! cmp -s "$work/$base-again.json" "$work/$base-third.json"; then
        echo "$base: the export read back does not export the same" >&2
        diff "$work/$base-again.json" "$work/$base-third.json" >&2 || true
        exit 1
    fi
    if ! "$sigmora" --convert "$input" "$work/$base-notes.json" 2>&1 | grep -q "half a cycle longer" &&
        ! cmp -s "$work/$base.json" "$work/$base-again.json"; then
        echo "$base: the export read back does not export the same, and the export did not say why" >&2
        diff "$work/$base.json" "$work/$base-again.json" >&2 || true
        exit 1
    fi
    count=$((count + 1))
done
[ "$count" -gt 0 ] || { echo "no examples in $examples" >&2; exit 1; }
echo "$count examples drawn by wavedrom-cli and read back"
