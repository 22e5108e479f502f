#!/usr/bin/env bash
# Makes the help picture data/TabulorHelp.gif from the real program: Tabulor
# runs on a private Xvfb display in a scratch folder, xdotool types a chord
# name and enters edition mode, `import` takes the window, and ImageMagick
# writes the labelled picture around the shots.
#
#   tools/make-help-image.sh [path/to/tabulor] [output.gif]
#
# Without a path the newest build*/app/tabulor of the repository is used; the
# picture goes to data/TabulorHelp.gif unless another output is named.
# Needs Xvfb, xdotool and ImageMagick (import, convert, compare) and the
# DejaVu Sans fonts.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-}
if [ -z "$exe" ]; then
    # shellcheck disable=SC2012  # the newest build: build folder names are plain
    exe=$(ls -t "$repo"/build*/app/tabulor 2>/dev/null | head -n 1 || true)
fi
if [ -z "$exe" ] || [ ! -x "$exe" ]; then
    echo "usage: $0 [path/to/tabulor] [output.gif]  (no built tabulor found)" >&2
    exit 2
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
out=${2:-$repo/data/TabulorHelp.gif}
for tool in Xvfb xdotool import convert compare; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 2; }
done

chord=C                 # the chord the main picture shows
edit_name=Am            # the name typed in the edition-mode picture
font=DejaVu-Sans
bold=DejaVu-Sans-Bold

scratch=$(mktemp -d)
xvfb_pid=
tabulor_pid=
cleanup() {
    if [ -n "$tabulor_pid" ]; then kill "$tabulor_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# Polls a command for up to about a minute: a limit for a failure only, long
# enough for a sanitizer build on a busy machine.
wait_for() {
    local tries=600
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

calc() { awk "BEGIN { printf \"%d\", $1 }"; }

# --- the program on its own display -----------------------------------------

# Xvfb picks a free display itself and writes its number when it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for grep -qs '[0-9]' "$scratch/display" || { echo "$0: Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(tr -dc 0-9 <"$scratch/display")
export DISPLAY

mkdir "$scratch/work"
cp "$repo/data/Tabulor.xml" "$scratch/work/"
: >"$scratch/work/TabulorHelp.gif"   # present, so there is no "not found" box
(
    cd "$scratch/work"
    QT_QPA_PLATFORM=xcb TABULOR_MIDI_WAV="$scratch/sound.wav" exec "$exe"
) >"$scratch/tabulor.log" 2>&1 &
tabulor_pid=$!

win=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tabulor 2011\.07\.03$' | head -n 1) || true
[ -n "$win" ] || { echo "$0: the Tabulor window did not appear" >&2; cat "$scratch/tabulor.log" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"   # X, Y, WIDTH, HEIGHT
cw=$WIDTH ch=$HEIGHT

# Pixels per dialog unit: the window is the 288 x 178 unit template.
sx=$(awk "BEGIN { print $cw / 288 }")
sy=$(awk "BEGIN { print $ch / 178 }")
dux() { calc "$1 * $sx"; }
duy() { calc "$1 * $sy"; }

# The fretboard as the program lays it out for this client size.
read -r -a geo <<<"$(awk -v cw="$cw" -v ch="$ch" 'BEGIN {
    al = int(cw * 0.027); at = int(ch * 0.08); ar = int(cw * 0.81); ab = int(ch * 0.7)
    w = ar - al; h = ab - at
    bb = int(ab - h / 25.0); br = int(ar - w / 50.0); bt = int(at + h / 25.0); bl = int(al + w / 18.0)
    sp = (bb - bt) / 5.0; fw = (br - bl) * 0.25
    for (i = 0; i < 6; i++) printf "%d ", i * sp + bt
    for (j = 0; j < 5; j++) printf "%d ", j * fw + bl
    printf "%d %d %d %d %d %d\n", fw, bl - w / 40.0, al, at, ar - al, ab - at }')"
string_y=("${geo[@]:0:6}")      # strings 1..6
fret_x=("${geo[@]:6:5}")        # nut, fret lines 1..4
fret_w=${geo[11]} open_x=${geo[12]}
board_crop="${geo[15]}x${geo[16]}+${geo[13]}+${geo[14]}"
cell_x() { echo $((fret_x[$1] - fret_w / 2)); }

shot() { import -window "$win" "$scratch/$1.png"; }
differs() {   # differs A B CROP: the two shots differ inside CROP
    local n
    n=$(compare -metric AE "$scratch/$1.png[$3]" "$scratch/$2.png[$3]" null: 2>&1 || true)
    [ "${n%% *}" != 0 ]
}
changed_from() { shot now; differs "$1" now "$2"; }    # changed_from SHOT CROP
settled() { shot settle; sleep 0.1; shot now; ! differs settle now "$1"; }

type_name() {
    xdotool mousemove $((X + $(dux 54))) $((Y + $(duy 162))) click 1
    xdotool key --window "$win" ctrl+a BackSpace
    xdotool type --window "$win" --delay 30 "$1"
}

# Main picture: the chord typed into the chord-name box.
shot start
type_name "$chord"
wait_for changed_from start "$board_crop" || { echo "$0: the fretboard did not change after typing $chord" >&2; exit 1; }
wait_for settled "$board_crop"
shot main

# A message box is a window of its own. It takes the keyboard focus when it
# opens, so Return goes to it through the server (XTEST): a Return sent to the
# box alone (xdotool key --window) closes it on the press, its release is lost,
# and the main window's next click then acts as ADD CHORD.
close_box() {   # close_box TITLE: waits for the box, presses Return, waits until it is gone
    local found
    found=$(timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) || true
    [ -n "$found" ] || return 1
    xdotool windowfocus --sync "$found" key Return
    wait_for sh -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null"
}
# The window above the names line: the fret numbers, the board and the finger
# labels, without the chord-name box, whose blinking caret changes the shots.
upper_crop="${cw}x$(duy 130)+0+0"
whole_crop="${cw}x$ch+0+0"
step() {   # step CROP WHAT COMMAND...: runs the command and waits until CROP shows it
    local crop=$1 what=$2
    shift 2
    shot before
    "$@"
    wait_for changed_from before "$crop" || { echo "$0: the window did not change after $what" >&2; exit 1; }
    wait_for settled "$crop"
}

# Edition mode: its message box is closed with Enter.
type_name "edition mode"
close_box "Edition mode" || { echo "$0: typing edition mode showed no message box that Return closed" >&2; exit 1; }
wait_for settled "$upper_crop"
shot edition_start

# Builds A minor at the 5th fret (strings 6..1: 5 7 7 5 5 5) with the mouse:
# the wheel moves the base fret to 4 (fret numbers 5 6 7 8), double-clicks in
# the fret cells set the strings and right of the last fret line the fingers.
dblclick() {   # dblclick X Y: one double-click at client X, Y
    xdotool mousemove $((X + $1)) $((Y + $2)) click --repeat 2 --delay 40 1
}
xdotool mousemove $((X + $(cell_x 2))) $((Y + string_y[2]))
for _ in 1 2 3 4; do step "$upper_crop" "a wheel step" xdotool click 4; done
finger_x=$((fret_x[4] + 15))
for s in 0 1 2; do step "$upper_crop" "a double-click on string $((s + 1))" dblclick "$(cell_x 1)" "${string_y[$s]}"; done
for s in 3 4; do step "$upper_crop" "a double-click on string $((s + 1))" dblclick "$(cell_x 3)" "${string_y[$s]}"; done
for _ in 1 2; do step "$upper_crop" "a double-click on string 6" dblclick "$(cell_x 1)" "${string_y[5]}"; done   # fret 5, then its root mark
for s in 0 1 2 5; do step "$upper_crop" "a finger double-click" dblclick "$finger_x" "${string_y[$s]}"; done
for _ in 1 2 3 4; do step "$upper_crop" "a finger double-click" dblclick "$finger_x" "${string_y[3]}"; done
for _ in 1 2 3; do step "$upper_crop" "a finger double-click" dblclick "$finger_x" "${string_y[4]}"; done
step "$whole_crop" "typing $edit_name" type_name "$edit_name"
shot edition

# Esc is Exit. An ended child stays a zombie until it is waited for.
tabulor_ended() {
    local state
    state=$(ps -o stat= -p "$tabulor_pid" 2>/dev/null || true)
    [ -z "$state" ] || [ "${state#Z}" != "$state" ]
}
xdotool key --window "$win" Escape 2>/dev/null || true
wait_for tabulor_ended || { echo "$0: Esc did not end Tabulor" >&2; exit 1; }

# --- the labelled picture ---------------------------------------------------

S=2                        # the main shot is shown at twice its size
X0=214 Y0=150              # where it goes on the page
page_w=1300
ink='#222222' accent='#b0302a' head='#17497f' panel='#f3f6fa' rim='#a9bccf'

under=()   # panel backgrounds, drawn before the shots
args=()    # labels and leaders, drawn over everything
text() {   # text X Y SIZE FONT COLOUR STRING (Y is the baseline)
    args+=(-font "$4" -pointsize "$3" -fill "$5" -stroke none -annotate "+$1+$2" "$6")
}
right_text() {   # like text, but ends at X
    args+=(-gravity NorthEast -font "$4" -pointsize "$3" -fill "$5" -stroke none
           -annotate "+$((page_w - $1))+$(($2 - $3))" "$6" +gravity)
}
leader() {   # leader X1 Y1 X2 Y2: a line from a label to the thing, with a dot on it
    args+=(-stroke "$accent" -strokewidth 2 -fill none -draw "line $1,$2 $3,$4"
           -stroke none -fill "$accent" -draw "circle $3,$4 $(($3 + 4)),$4")
}
box() {   # box X1 Y1 X2 Y2 TITLE
    under+=(-stroke "$rim" -strokewidth 2 -fill "$panel" -draw "roundrectangle $1,$2 $3,$4 10,10")
    text $(($1 + 16)) $(($2 + 30)) 19 "$bold" "$head" "$5"
}
# Places on the page of a point of the main shot (client pixels, dialog units).
px() { echo $((X0 + S * $1)); }
py() { echo $((Y0 + S * $1)); }
dx() { px "$(dux "$1")"; }
dy() { py "$(duy "$1")"; }

shot_w=$((cw * S)) shot_h=$((ch * S))
right=$((X0 + shot_w))

text 40 52 30 "$bold" "$head" "Tabulor: type a chord name, see the fingering, hear the chord"
text 40 84 16 "$font" "$ink" "The main window below shows the chord \"$chord\". Help opens this picture (Alt+H or F1); Exit or Esc closes Tabulor."

# Strings, beside the open column.
names=("string 1  high e" "string 2  B" "string 3  G" "string 4  D" "string 5  A" "string 6  low E")
for i in 0 1 2 3 4 5; do
    right_text $((X0 - 10)) $(($(py "${string_y[$i]}") + 6)) 15 "$font" "$ink" "${names[$i]}"
done

# Above the window: fret numbers and finger numbers.
fy=$(dy 8)
text $(($(dx 60) - 20)) $((Y0 - 38)) 15 "$bold" "$accent" "fret numbers"
text $(($(dx 60) + 96)) $((Y0 - 38)) 15 "$font" "$ink" "of the four columns (higher up the neck: 5 6 7 8 ...)"
leader $(($(dx 60) + 30)) $((Y0 - 32)) "$(dx 74)" $((fy - 10))
text $(($(dx 236) - 150)) $((Y0 - 12)) 15 "$bold" "$accent" "finger numbers"
text $(($(dx 236) - 8)) $((Y0 - 12)) 15 "$font" "$ink" "1 index, 2 middle, 3 ring, 4 little"
leader $(($(dx 236) - 90)) $((Y0 - 6)) "$(dx 237)" $(($(dy 34) - 4))

# Right of the window: the buttons.
label() {   # label X Y TITLE LINE...: a bold title and lines under it
    local x=$1 y=$2 title=$3 line
    shift 3
    text "$x" $((y + 5)) 15 "$bold" "$accent" "$title"
    for line in "$@"; do
        y=$((y + 18))
        text "$x" $((y + 5)) 14 "$font" "$ink" "$line"
    done
}
button() {   # button Y_DU H_DU TITLE LINE...
    local y
    y=$(dy $(($1 + $2 / 2)))
    leader $((right + 18)) "$y" $((right - $(dux 4) * S)) "$y"
    shift 2
    label $((right + 26)) "$y" "$@"
}
button 16 14 "Exit   Alt+X, Esc" "close Tabulor"
button 34 14 "Help   Alt+H, F1" "open this picture"
button 52 14 "About   Alt+A" "version, keyboard keys"
button 70 14 "Patch   Alt+C" "choose the instrument"
button 88 15 "Random   Alt+R" "a random chord" "(SAVE in edition mode)"
button 107 14 "Mute   Alt+U" "stop the sound"
vy=$(dy 163)
leader $((right + 18)) "$vy" $((right - $(dux 8) * S)) "$vy"
label $((right + 26)) "$vy" "Volume" "loudness of the sound"

# Left of the window: the names line and the chord-name box.
ny=$(dy 136)
leader $((X0 - 18)) "$ny" "$(dx 7)" "$ny"
right_text $((X0 - 24)) $((ny + 1)) 15 "$bold" "$accent" "names line"
right_text $((X0 - 24)) $((ny + 20)) 14 "$font" "$ink" "all names of the chord"
cy=$(dy 163)
leader $((X0 - 18)) "$cy" "$(dx 14)" "$cy"
right_text $((X0 - 24)) $((cy + 1)) 15 "$bold" "$accent" "chord-name box"
right_text $((X0 - 24)) $((cy + 20)) 14 "$font" "$ink" "type C, Am, G7, F#m7b5"
right_text $((X0 - 24)) $((cy + 38)) 14 "$font" "$ink" "capitals count:"
right_text $((X0 - 24)) $((cy + 56)) 14 "$font" "$ink" "Am, not am"

# Below the window: Next fingering and Play.
below=$((Y0 + shot_h + 26))
leader "$(dx 140)" $((below - 4)) "$(dx 140)" $(($(dy 171) - 4))
text $(($(dx 108) - 60)) $((below + 14)) 15 "$bold" "$accent" "Next fingering   Alt+E or Enter"
text $(($(dx 108) - 60)) $((below + 33)) 14 "$font" "$ink" "another fingering of the same chord"
text $(($(dx 108) - 60)) $((below + 51)) 14 "$font" "$ink" "(ADD CHORD in edition mode)"
leader "$(dx 197)" $((below - 4)) "$(dx 197)" $(($(dy 171) - 4))
text $(($(dx 197) - 20)) $((below + 14)) 15 "$bold" "$accent" "Play   Alt+P"
text $(($(dx 197) - 20)) $((below + 33)) 14 "$font" "$ink" "hear the chord"

# Panels: markers, keyboard, special words.
p1=$((below + 80))
p1b=$((p1 + 300))
box 30 "$p1" 450 "$p1b" "Markers on the fretboard"
marker() {   # marker ROW KIND TEXT: one symbol drawn as the program draws it, at twice the size
    local x=78 y=$((p1 + 68 + $1 * 42))
    case $2 in
        open)      args+=(-stroke black -strokewidth 2 -fill white -draw "circle $x,$y $((x + 13)),$y") ;;
        open_root) args+=(-stroke black -strokewidth 2 -fill white -draw "circle $x,$y $((x + 21)),$y"
                          -draw "circle $x,$y $((x + 13)),$y") ;;
        fretted)   args+=(-stroke black -strokewidth 2 -fill black -draw "circle $x,$y $((x + 13)),$y") ;;
        root)      args+=(-stroke black -strokewidth 2 -fill white -draw "circle $x,$y $((x + 21)),$y"
                          -fill black -draw "circle $x,$y $((x + 13)),$y") ;;
        muted)     args+=(-stroke black -strokewidth 2 -draw "line $((x - 13)),$((y - 13)) $((x + 13)),$((y + 13))"
                          -draw "line $((x + 13)),$((y - 13)) $((x - 13)),$((y + 13))") ;;
    esac
    text 116 $((y + 6)) 15 "$font" "$ink" "$3"
}
marker 0 open "open string (left of the nut)"
marker 1 open_root "open string, the root (bass note)"
marker 2 fretted "press the string in this fret"
marker 3 root "pressed, the root (bass note)"
marker 4 muted "do not play this string"
text 50 $((p1 + 280)) 14 "$font" "$ink" "Click a marker to hear that one string."

box 470 "$p1" 840 "$p1b" "Keyboard"
keys=("Alt+E, Enter" "Next fingering" "Alt+P" "Play" "Alt+R" "Random" "Alt+A" "About"
      "Alt+H, F1" "Help (this picture)" "Alt+C" "Patch (instrument)" "Alt+U" "Mute" "Alt+X, Esc" "Exit")
for k in 0 1 2 3 4 5 6 7; do
    ky=$((p1 + 66 + k * 29))
    text 490 "$ky" 15 "$bold" "$accent" "${keys[$((2 * k))]}"
    text 630 "$ky" 15 "$font" "$ink" "${keys[$((2 * k + 1))]}"
done

box 860 "$p1" 1270 "$p1b" "Special words"
text 876 $((p1 + 56)) 14 "$font" "$ink" "Type one into the chord-name box (capitals or not):"
word() {   # word ROW WORD LINE1 LINE2
    local y=$((p1 + 92 + $1 * 70))
    text 876 "$y" 16 "$bold" "$accent" "$2"
    text 892 $((y + 20)) 14 "$font" "$ink" "$3"
    text 892 $((y + 38)) 14 "$font" "$ink" "$4"
}
word 0 "edition mode" "add fingerings of your own: the buttons" "become ADD CHORD and SAVE"
word 1 "count all" "(in edition mode) how many chords and" "fingerings Tabulor now holds"
word 2 "default mode" "back to normal use" ""

# Edition mode: the road, beside the edition-mode shot, whose numbered badges
# show where each step happens.
E=5 ED=4                   # the edition-mode shot is shown at E/ED = 1.25 times its size
p2=$((p1b + 20))
ex=50 ey=$((p2 + 50))
ew=$((cw * E / ED)) eh=$((ch * E / ED))
steps=(   # number, then text; an empty number goes on with the step above
    1 "Type \"edition mode\" into the chord-name box and press OK in"
    "" "the message box: the title says EDITION MODE."
    2 "Strings: double-click in the open column or in a fret cell."
    "" "Each double-click in the same place goes on:"
    "" "note -> root (bass) -> not played -> note."
    3 "Fingers: double-click right of the last fret, beside"
    "" "the string: 1, 2, 3, 4, none."
    4 "Base fret: turn the mouse wheel over the window;"
    "" "the fret numbers follow (up to 13 14 15 16)."
    5 "Type the chord's name, one that Tabulor knows (here $edit_name)."
    6 "ADD CHORD (or Enter) adds the fingering to that chord."
    7 "SAVE writes all chords to Tabulor.xml. Without SAVE"
    "" "the new fingerings are lost when Tabulor closes."
    8 "\"count all\" tells how many chords and fingerings there are;"
    "" "\"default mode\" ends editing."
)
tx=$((ex + ew + 30))
line_y=$((ey - 12))
for ((k = 0; k < ${#steps[@]} / 2; k++)); do
    number=${steps[$((2 * k))]}
    line_y=$((line_y + ${number:+8} + 21))   # a new step starts with a little room
    text "$tx" "$line_y" 15 "$bold" "$accent" "$number"
    text $((tx + 22)) "$line_y" 15 "$font" "$ink" "${steps[$((2 * k + 1))]}"
done
p2b=$((ey + eh > line_y ? ey + eh + 20 : line_y + 20))
box 30 "$p2" 1270 "$p2b" "Edition mode: add a fingering of your own"
badge() {   # badge X Y NUMBER: at client X, Y of the edition-mode shot
    local x=$((ex + $1 * E / ED)) y=$((ey + $2 * E / ED))
    args+=(-stroke white -strokewidth 2 -fill "$accent" -draw "circle $x,$y $((x + 11)),$y"
           -font "$bold" -pointsize 15 -fill white -stroke none -annotate "+$((x - 5))+$((y + 6))" "$3")
}
badge "$open_x" $(((string_y[0] + string_y[1]) / 2)) 2
badge "$(cell_x 2)" $(((string_y[1] + string_y[2]) / 2)) 2
badge $((fret_x[4] + 15)) $(((string_y[0] + string_y[1]) / 2)) 3
badge "$(cell_x 2)" "$(duy 8)" 4
badge "$(dux 18)" "$(duy 162)" 5
badge "$(dux 108)" "$(duy 159)" 6
badge "$(dux 246)" "$(duy 95)" 7

convert -size "${page_w}x$((p2b + 24))" xc:white "${under[@]}" \
    \( "$scratch/main.png" -scale "$((S * 100))%" \) -geometry "+$X0+$Y0" -composite \
    \( "$scratch/edition.png" -resize "${ew}x$eh!" -bordercolor "$rim" -border 1 \) -geometry "+$((ex - 1))+$((ey - 1))" -composite \
    -stroke "$rim" -strokewidth 2 -fill none -draw "rectangle $((X0 - 1)),$((Y0 - 1)) $((right)),$((Y0 + shot_h))" \
    "${args[@]}" \
    +dither -colors 64 "$out"
identify "$out"
