# The make-data suite runs the tool binary, so building the suite builds the tool.
add_dependencies(tst_make_data make-data)
