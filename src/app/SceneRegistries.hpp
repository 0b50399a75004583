#pragma once

// The two clean-ups of the game's singletons.
class SceneRegistries {
public:
    // Leaving a level or a picture screen: the object, render and physics
    // registries are destroyed so the next screen starts from empty ones.
    static void dispose();
    // Closing the game: leaves the running screen and destroys every manager.
    static void shutdown();
};
