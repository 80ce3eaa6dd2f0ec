# Developer tools: built with the program to keep them compiling, but never
# installed or packaged.

# Prints the map of scene transitions as a Graphviz graph (scripts/screenshots.sh).
add_executable(transition_map tools/transition_map.cpp)
target_link_libraries(transition_map PRIVATE varn_scenes)

# Prints the scene tables and a walk through every move as JSON, the tour
# description the end-to-end drivers share (tests/support/tour.json).
add_executable(tour_tables tools/tour_tables.cpp)
target_link_libraries(tour_tables PRIVATE varn_scenes)
