# korvane version and korvane fonts: what the library and the screen device report.
source "$(dirname "$0")/lib.sh"

# The version resource follows the project's one version number.
project=$(sed -nE 's/^project\(korvane VERSION ([0-9.]+).*/\1/p' "$DATA/../../../CMakeLists.txt")
expect 0 "korvane $project (build $project.0)" '' version
expect 2 '' 'korvane version: unexpected argument "now" (see korvane version --help)' version now

# The screen's faces come from the installed fonts (scripts/deps.sh installs DejaVu).
expect_match 0 '^DejaVu Sans +ANSI +variable swiss$' fonts
expect_match 0 '^DejaVu Sans Mono +ANSI +fixed modern$' fonts
expect_match 0 '^scalable +bold italic, average width [0-9]+ px$' fonts 'DejaVu Sans'
expect_match 0 '^scalable +regular, average width [0-9]+ px$' fonts 'dejavu sans mono'
expect 2 '' 'korvane fonts: no face "Nowhere Sans" on the screen' fonts 'Nowhere Sans'
expect 2 '' 'korvane fonts: a face name has at most 31 bytes: "DejaVu Sans DejaVu Sans DejaVu S"' \
  fonts 'DejaVu Sans DejaVu Sans DejaVu S'
expect 2 '' 'korvane fonts: unexpected argument "b" (see korvane fonts --help)' fonts a b
finish
