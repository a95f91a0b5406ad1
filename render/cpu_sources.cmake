set(VINTREL_RENDER_CPU_SOURCES camera.cpp effect_framing.cpp obj_reader.cpp mesh_geometry.cpp atlas.cpp view_layout.cpp pixel_rect.cpp view_passes.cpp)
