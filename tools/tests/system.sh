# korvane version and korvane fonts: what the library and the screen device report.
source "$(dirname "$0")/lib.sh"

# The version resource follows the project's one version number.
project=$(sed -nE 's/^project\(korvane VERSION ([0-9.]+).*/\1/p' "$DATA/../../../CMakeLists.txt")
expect 0 "korvane $project (build $project.0)" '' version
expect 2 '' 'korvane version: unexpected argument "now" (see korvane version --help)' version now
finish
