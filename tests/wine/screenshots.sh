# Sourced by the GUI tests: keep_screenshots FROM TO turns the driver's BMP screenshots in
# FROM into PNG files in TO and prints each one's path.
keep_screenshots() {
  local bmp name
  for bmp in "$1"/*.bmp; do
    [ -f "$bmp" ] || continue
    name=$(basename "$bmp" .bmp)
    convert "$bmp" "$2/$name.png" && echo "screenshot: $2/$name.png"
  done
}
