#!/usr/bin/env bash
# The three font sets the windows are checked under: sourced by test.sh and screenshots.sh.
# write_font_sets DIR writes DIR/<set>/fonts.conf for each set, a fontconfig configuration
# that lists only that set's font folders (point FONTCONFIG_FILE at it). The sets:
#   dejavu       DejaVu only (fonts-dejavu-core, fonts-dejavu-extra)
#   urw-droid    DejaVu with ghostscript's fonts-urw-base35 and fonts-droid-fallback
#   liberation   fonts-liberation2 with fonts-noto-mono, and no DejaVu at all
# FONT_SETS names them; FONT_SET_EXPECTED gives, per set, the interface and number families
# the windows must get under it (InterfaceFamilies/NumberFamilies in ui/window_fonts.cpp).
FONT_SETS=(dejavu urw-droid liberation)
declare -A FONT_SET_DIRS=(
  [dejavu]="/usr/share/fonts/truetype/dejavu"
  [urw-droid]="/usr/share/fonts/truetype/dejavu /usr/share/fonts/opentype/urw-base35 /usr/share/fonts/type1/urw-base35 /usr/share/fonts/truetype/droid"
  [liberation]="/usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/noto"
)
declare -A FONT_SET_EXPECTED=(
  [dejavu]="DejaVu Sans;DejaVu Sans Mono"
  [urw-droid]="DejaVu Sans;DejaVu Sans Mono"
  [liberation]="Liberation Sans;Liberation Mono"
)

write_font_sets() {
  local root="$1" set dir
  for set in "${FONT_SETS[@]}"; do
    mkdir -p "$root/$set/cache"
    {
      echo '<?xml version="1.0"?>'
      echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
      echo '<fontconfig>'
      for dir in ${FONT_SET_DIRS[$set]}; do echo "  <dir>$dir</dir>"; done
      echo "  <cachedir>$root/$set/cache</cachedir>"
      # The system's rules (aliases such as sans-serif, hinting), but none of its folders.
      echo '  <include ignore_missing="yes">/etc/fonts/conf.d</include>'
      echo '</fontconfig>'
    } > "$root/$set/fonts.conf"
  done
}
